# The libraries that read and write workbooks, as four targets on every platform:
#   zelvane::zlib        deflate and inflate
#   zelvane::minizip     zip archives (#include <minizip/unzip.h>, <minizip/zip.h>)
#   zelvane::expat       XML parsing (#include <expat.h>)
#   zelvane::xlsxwriter  .xlsx writing (#include <xlsxwriter.h>)
# Linux takes Debian's -dev packages. The Windows build compiles them from Debian's own source
# packages (fetched by scripts/setup) into the build tree: cmake/windows_workbook_libraries.cmake.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/windows_workbook_libraries.cmake)
  return()
endif()

find_package(PkgConfig REQUIRED)
pkg_check_modules(ZELVANE_ZLIB REQUIRED IMPORTED_TARGET GLOBAL zlib)
pkg_check_modules(ZELVANE_MINIZIP REQUIRED IMPORTED_TARGET GLOBAL minizip)
pkg_check_modules(ZELVANE_EXPAT REQUIRED IMPORTED_TARGET GLOBAL expat)
pkg_check_modules(ZELVANE_XLSXWRITER REQUIRED IMPORTED_TARGET GLOBAL xlsxwriter)

add_library(zelvane::zlib INTERFACE IMPORTED GLOBAL)
target_link_libraries(zelvane::zlib INTERFACE PkgConfig::ZELVANE_ZLIB)
add_library(zelvane::minizip INTERFACE IMPORTED GLOBAL)
# Debian's minizip.pc names include/minizip; its parent makes <minizip/unzip.h> work as on Windows.
get_filename_component(zelvane_minizip_parent "${ZELVANE_MINIZIP_INCLUDEDIR}" DIRECTORY)
target_include_directories(zelvane::minizip INTERFACE ${zelvane_minizip_parent})
target_link_libraries(zelvane::minizip INTERFACE PkgConfig::ZELVANE_MINIZIP zelvane::zlib)
add_library(zelvane::expat INTERFACE IMPORTED GLOBAL)
target_link_libraries(zelvane::expat INTERFACE PkgConfig::ZELVANE_EXPAT)
add_library(zelvane::xlsxwriter INTERFACE IMPORTED GLOBAL)
target_link_libraries(zelvane::xlsxwriter INTERFACE PkgConfig::ZELVANE_XLSXWRITER zelvane::zlib)
