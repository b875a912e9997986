#include <cerrno>
#include <memory>
#include <string_view>

#include "core/platform/files.h"
#include "ops/workbook_reader.h"

namespace zelvane {

namespace {

// A workbook encrypted with a password to open keeps its zip in a compound file's stream of this
// name (UTF-16); a legacy .xls has none.
constexpr std::string_view kEncryptedPackage{"E\0n\0c\0r\0y\0p\0t\0e\0d\0P\0a\0c\0k\0a\0g\0e\0", 32};

bool HoldsEncryptedPackage(const std::filesystem::path& path) {
  const int fd = OpenForReading(path);
  if (fd < 0) return false;
  constexpr std::size_t kPiece = 1 << 20;
  const std::unique_ptr<char[]> buffer = std::make_unique_for_overwrite<char[]>(kPiece + kEncryptedPackage.size());
  std::size_t kept = 0;
  bool found = false;
  for (std::int64_t got; !found && (got = ReadSome(fd, buffer.get() + kept, kPiece)) > 0;) {
    const std::string_view text(buffer.get(), kept + static_cast<std::size_t>(got));
    found = text.find(kEncryptedPackage) != std::string_view::npos;
    // The end of this piece may hold the start of the name.
    kept = std::min(text.size(), kEncryptedPackage.size() - 1);
    std::copy(text.end() - static_cast<std::ptrdiff_t>(kept), text.end(), buffer.get());
  }
  CloseFile(fd);
  return found;
}

}  // namespace

FileError LegacyWorkbookError(const std::filesystem::path& path) {
  if (HoldsEncryptedPackage(path)) {
    return FileError{FileOperation::Read, path,
                     "这个工作簿设有打开密码（已加密），请先在 Excel 或 WPS 中取消密码再导入"};
  }
  return FileError{FileOperation::Read, path,
                   "这是旧版 Excel 97-2003 工作簿（.xls），请在 Excel 或 WPS 中打开它，"
                   "“另存为”“Excel 工作簿(*.xlsx)”后再导入"};
}

}  // namespace zelvane
