#include <windows.h>

#include <algorithm>

#include "core/platform/memory_left.h"

namespace zelvane {

std::uint64_t MemoryLeft() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof(status);
  if (!GlobalMemoryStatusEx(&status)) return 0;
  std::uint64_t left = status.ullAvailPhys;
  // A job object's limit, as a container's on Linux.
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION job{};
  if (QueryInformationJobObject(nullptr, JobObjectExtendedLimitInformation, &job, sizeof(job), nullptr)) {
    const DWORD flags = job.BasicLimitInformation.LimitFlags;
    if (flags & JOB_OBJECT_LIMIT_JOB_MEMORY) left = std::min<std::uint64_t>(left, job.JobMemoryLimit);
    if (flags & JOB_OBJECT_LIMIT_PROCESS_MEMORY) left = std::min<std::uint64_t>(left, job.ProcessMemoryLimit);
  }
  return left;
}

std::filesystem::path SystemTemporaryFolder() {
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  return error ? std::filesystem::path(".") : folder;
}

}  // namespace zelvane
