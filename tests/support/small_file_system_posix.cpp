#include <sys/mount.h>

#include <string>

#include "tests/support/test_files.h"

namespace zelvane::test {

SmallFileSystem::SmallFileSystem(const std::filesystem::path& where, std::size_t bytes, bool readOnly)
    : where_(where), bytes_(bytes) {
  std::filesystem::create_directories(where_);
  const std::string options = "size=" + std::to_string(bytes_);
  mounted_ = ::mount("tmpfs", where_.c_str(), "tmpfs", readOnly ? MS_RDONLY : 0, options.c_str()) == 0;
}

void SmallFileSystem::Remount(bool readOnly) {
  const std::string options = "size=" + std::to_string(bytes_);
  ::mount("tmpfs", where_.c_str(), "tmpfs", MS_REMOUNT | (readOnly ? MS_RDONLY : 0), options.c_str());
}

SmallFileSystem::~SmallFileSystem() {
  if (mounted_) ::umount2(where_.c_str(), MNT_DETACH);
}

}  // namespace zelvane::test
