#include "core/file_error.h"

#include <cerrno>
#include <cstring>

namespace zelvane {

std::string FileError::Message() const {
  if (path == "-") return (operation == FileOperation::Read ? "无法读取标准输入：" : "无法写入标准输出：") + reason;
  const char* verb = operation == FileOperation::Read ? "无法读取文件" : "无法写入文件";
  return std::string(verb) + "“" + PathInMessage(path) + "”：" + reason;
}

std::string PathInMessage(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::filesystem::path PathFromText(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

std::string SystemErrorReason(int errorNumber) {
  switch (errorNumber) {
    case ENOENT: return "文件或文件夹不存在";
    case EACCES:
    case EPERM: return "没有访问权限";
    case EISDIR: return "这是一个文件夹，不是文件";
    case ENOTDIR: return "路径中的某一部分不是文件夹";
    case ENOSPC: return "磁盘空间不足";
#ifdef EDQUOT  // not on Windows
    case EDQUOT: return "超出磁盘配额";
#endif
    case EROFS: return "文件系统是只读的";
    case ENOMEM: return "内存不足";
    case EFBIG: return "文件太大";
    case ENAMETOOLONG: return "文件名太长";
    case EIO: return "输入/输出错误";
    case EMFILE:
    case ENFILE: return "打开的文件太多";
    case EBUSY:
    case ETXTBSY: return "文件正被占用";
    case EXDEV: return "不能跨文件系统移动文件";
    default: return std::string("系统错误：") + std::strerror(errorNumber);
  }
}

FileError MakeFileError(FileOperation operation, const std::filesystem::path& path, int errorNumber) {
  return FileError{operation, path, SystemErrorReason(errorNumber)};
}

FileError OutOfMemoryError(const std::filesystem::path& path) {
  return FileError{FileOperation::Read, path, "内存不足，无法载入这个文件"};
}

}  // namespace zelvane
