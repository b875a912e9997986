#include "tests/support/zip_file_functions.h"

#ifdef _WIN32
#include <minizip/iowin32.h>
#endif

namespace zelvane::test {

zlib_filefunc64_def* ZipFileFunctions() {
#ifdef _WIN32
  static zlib_filefunc64_def functions = [] {
    zlib_filefunc64_def filled;
    fill_win32_filefunc64W(&filled);
    return filled;
  }();
  return &functions;
#else
  return nullptr;
#endif
}

}  // namespace zelvane::test
