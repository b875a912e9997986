#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace zelvane {

// Writes all of bytes to fd (with pwrite at offset, when there is one), going on after signals.
// Returns 0 or the error. A write that takes nothing counts as a full disk (ENOSPC), so that no
// writer waits for it forever.
int WriteAll(int fd, std::string_view bytes, std::optional<std::uint64_t> offset = std::nullopt);

// Opens a file without a name in folder for reading and writing (O_TMPFILE): it is gone when closed
// unless it is linked to a name. -1 with errno set; EOPNOTSUPP when the file system cannot make one.
int OpenUnnamedFile(const std::filesystem::path& folder, unsigned mode);

// A file in folder that is gone when closed: one without a name, or where the file system cannot
// make that, a named one removed at once. -1 with errno set.
int OpenNamelessFile(const std::filesystem::path& folder);

}  // namespace zelvane
