#pragma once

#include <minizip/ioapi.h>

namespace zelvane::test {

// minizip's file functions for a path's c_str(), for unzOpen2_64 and zipOpen2_64: the wide-character
// ones on Windows, where a narrow path cannot hold every name; null elsewhere, minizip's own.
zlib_filefunc64_def* ZipFileFunctions();

}  // namespace zelvane::test
