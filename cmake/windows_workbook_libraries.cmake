# The workbook libraries of the Windows build, static: zlib from libz-mingw-w64-dev; expat, minizip and
# libxlsxwriter compiled here from Debian's source packages, which scripts/debian-sources unpacks into
# debian-sources/ (Debian's patches applied). Each is copied into the build tree and changed there where
# it needs to be (zelvane_copy_changed), so the unpacked sources stay as Debian ships them.
enable_language(C)
if(CMAKE_CXX_COMPILER_LAUNCHER AND NOT CMAKE_C_COMPILER_LAUNCHER)
  set(CMAKE_C_COMPILER_LAUNCHER ${CMAKE_CXX_COMPILER_LAUNCHER})  # the libraries from ccache as well
endif()
set(ZELVANE_DEBIAN_SOURCES ${PROJECT_SOURCE_DIR}/debian-sources CACHE PATH
    "Debian's sources of expat, minizip and libxlsxwriter (scripts/debian-sources fetches them)")
set(zelvane_expat_source ${ZELVANE_DEBIAN_SOURCES}/expat-2.5.0)
set(zelvane_minizip_source ${ZELVANE_DEBIAN_SOURCES}/minizip-1.1)
set(zelvane_xlsxwriter_source ${ZELVANE_DEBIAN_SOURCES}/libxlsxwriter-1.1.4)
foreach(source IN ITEMS ${zelvane_expat_source} ${zelvane_minizip_source} ${zelvane_xlsxwriter_source})
  if(NOT EXISTS ${source}/debian/changelog)
    message(FATAL_ERROR "${source} is missing: run scripts/debian-sources (scripts/setup runs it)")
  endif()
endforeach()

# The Debian version of an unpacked source package, from the first line of its changelog.
function(zelvane_debian_version source variable)
  file(STRINGS ${source}/debian/changelog first LIMIT_COUNT 1)
  string(REGEX REPLACE "^[^ ]+ \\(([^)]+)\\).*" "\\1" version "${first}")
  set(${variable} ${version} PARENT_SCOPE)
endfunction()
zelvane_debian_version(${zelvane_expat_source} ZELVANE_EXPAT_VERSION)
zelvane_debian_version(${zelvane_minizip_source} ZELVANE_MINIZIP_VERSION)
zelvane_debian_version(${zelvane_xlsxwriter_source} ZELVANE_XLSXWRITER_VERSION)
message(STATUS "Workbook libraries: expat ${ZELVANE_EXPAT_VERSION}, minizip ${ZELVANE_MINIZIP_VERSION}, "
               "libxlsxwriter ${ZELVANE_XLSXWRITER_VERSION} (Debian sources), zlib from libz-mingw-w64-dev")

# Copies file to copy with each pair of (old text, new text) replaced; a change that no longer finds
# its text stops the configure, so that a newer source package never goes in without its fix.
function(zelvane_copy_changed file copy)
  file(READ ${file} text)
  math(EXPR last "${ARGC} - 1")
  foreach(index RANGE 2 ${last} 2)  # ARGVn, not ARGN: a text may hold a semicolon
    math(EXPR next "${index} + 1")
    string(FIND "${text}" "${ARGV${index}}" found)
    if(found EQUAL -1)
      message(FATAL_ERROR "${file} no longer holds \"${ARGV${index}}\": check the change made to it here")
    endif()
    string(REPLACE "${ARGV${index}}" "${ARGV${next}}" text "${text}")
  endforeach()
  file(WRITE ${copy}.new "${text}")
  file(COPY_FILE ${copy}.new ${copy} ONLY_IF_DIFFERENT)  # an unchanged copy is not compiled again
endfunction()

# zlib: the static library, so that the programs need no zlib1.dll.
find_library(ZELVANE_MINGW_ZLIB NAMES libz.a REQUIRED)
find_path(ZELVANE_MINGW_ZLIB_INCLUDE zlib.h REQUIRED)
add_library(zelvane::zlib STATIC IMPORTED GLOBAL)
set_target_properties(zelvane::zlib PROPERTIES IMPORTED_LOCATION ${ZELVANE_MINGW_ZLIB}
                      INTERFACE_INCLUDE_DIRECTORIES ${ZELVANE_MINGW_ZLIB_INCLUDE})

# minizip has no CMake file of its own. Its headers go to include/minizip/ as Debian installs them.
set(zelvane_minizip_include ${CMAKE_BINARY_DIR}/workbook-libraries/include)
file(COPY ${zelvane_minizip_source}/ioapi.h ${zelvane_minizip_source}/iowin32.h ${zelvane_minizip_source}/unzip.h
     ${zelvane_minizip_source}/zip.h ${zelvane_minizip_source}/crypt.h DESTINATION ${zelvane_minizip_include}/minizip)
add_library(zelvane_minizip STATIC ${zelvane_minizip_source}/ioapi.c ${zelvane_minizip_source}/unzip.c
            ${zelvane_minizip_source}/zip.c ${zelvane_minizip_source}/iowin32.c)
target_compile_definitions(zelvane_minizip PUBLIC NOCRYPT NOUNCRYPT)
target_include_directories(zelvane_minizip PUBLIC ${zelvane_minizip_include})
target_link_libraries(zelvane_minizip PUBLIC zelvane::zlib)
add_library(zelvane::minizip ALIAS zelvane_minizip)

# expat. Debian's security fixes test "#if XML_DTD == 1", which needs the values that its CMake
# configuration header leaves out.
set(zelvane_expat_copy ${CMAKE_BINARY_DIR}/workbook-libraries/expat)
file(COPY ${zelvane_expat_source}/expat/ DESTINATION ${zelvane_expat_copy})
zelvane_copy_changed(${zelvane_expat_source}/expat/expat_config.h.cmake ${zelvane_expat_copy}/expat_config.h.cmake
  "#cmakedefine XML_DTD\n" "#cmakedefine XML_DTD 1\n"
  "#cmakedefine XML_NS\n" "#cmakedefine XML_NS 1\n")
set(EXPAT_SHARED_LIBS OFF CACHE BOOL "" FORCE)
set(EXPAT_ENABLE_INSTALL OFF CACHE BOOL "" FORCE)
foreach(part TOOLS EXAMPLES TESTS DOCS FUZZERS PKGCONFIG)
  set(EXPAT_BUILD_${part} OFF CACHE BOOL "" FORCE)
endforeach()
add_subdirectory(${zelvane_expat_copy} ${CMAKE_BINARY_DIR}/workbook-libraries/expat-build EXCLUDE_FROM_ALL)
add_library(zelvane::expat ALIAS expat)  # carries XML_STATIC

# libxlsxwriter, compiled here on the minizip above: its own build would bundle an older minizip
# (without the fix for CVE-2023-45853) or look for an installed one (FindMINIZIP). Under MinGW its
# sources drop _WIN32 and so open files with narrow fopen in the ANSI code page: the changes keep the
# UTF-8 to UTF-16 paths for the workbook, and open its temporary files by their UTF-16 names too.
set(zelvane_xlsxwriter_copy ${CMAKE_BINARY_DIR}/workbook-libraries/libxlsxwriter)
set(keep_win32 "#ifdef __MINGW32__\n#undef _WIN32\n#endif\n" "")
zelvane_copy_changed(${zelvane_xlsxwriter_source}/src/packager.c ${zelvane_xlsxwriter_copy}/packager.c ${keep_win32})
zelvane_copy_changed(${zelvane_xlsxwriter_source}/src/utility.c ${zelvane_xlsxwriter_copy}/utility.c ${keep_win32})
zelvane_copy_changed(${zelvane_xlsxwriter_source}/third_party/tmpfileplus/tmpfileplus.c
  ${zelvane_xlsxwriter_copy}/tmpfileplus.c
  "#include <io.h>\n" "#include <io.h>\n#include \"libxlsxwriter_utf8_paths.h\"\n"
  "#define OPEN_ _open\n" "#define OPEN_ open_utf8\n"
  "if ((stat(path, &st) == 0) && (st.st_mode & S_IFDIR))" "if (is_dir_utf8(path))")
file(GLOB zelvane_xlsxwriter_sources ${zelvane_xlsxwriter_source}/src/*.c)
list(FILTER zelvane_xlsxwriter_sources EXCLUDE REGEX "/(packager|utility)\\.c$")
add_library(zelvane_xlsxwriter STATIC ${zelvane_xlsxwriter_sources} ${zelvane_xlsxwriter_copy}/packager.c
            ${zelvane_xlsxwriter_copy}/utility.c ${zelvane_xlsxwriter_copy}/tmpfileplus.c
            ${zelvane_xlsxwriter_source}/third_party/md5/md5.c ${zelvane_xlsxwriter_source}/third_party/dtoa/emyg_dtoa.c)
# The dtoa library writes numbers the same whatever the C locale.
target_compile_definitions(zelvane_xlsxwriter PRIVATE USE_SYSTEM_MINIZIP USE_DTOA_LIBRARY)
target_include_directories(zelvane_xlsxwriter PUBLIC ${zelvane_xlsxwriter_source}/include
                           PRIVATE ${zelvane_xlsxwriter_source}/include/xlsxwriter
                           ${zelvane_xlsxwriter_source}/include/xlsxwriter/third_party ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(zelvane_xlsxwriter PUBLIC zelvane::minizip)
add_library(zelvane::xlsxwriter ALIAS zelvane_xlsxwriter)

# What the Windows zip and the installer ship beside LICENSE: each library's version and licence.
set(ZELVANE_THIRD_PARTY_LICENSES ${CMAKE_BINARY_DIR}/THIRD-PARTY-LICENSES.txt)
file(STRINGS ${ZELVANE_MINGW_ZLIB_INCLUDE}/zlib.h zelvane_zlib_version REGEX "^#define ZLIB_VERSION ")
string(REGEX REPLACE ".*\"(.*)\".*" "\\1" ZELVANE_ZLIB_VERSION "${zelvane_zlib_version}")
file(READ /usr/share/doc/libz-mingw-w64-dev/copyright zelvane_zlib_license)
file(READ ${zelvane_minizip_source}/debian/copyright zelvane_minizip_license)
file(READ ${zelvane_expat_source}/expat/COPYING zelvane_expat_license)
file(READ ${zelvane_xlsxwriter_source}/License.txt zelvane_xlsxwriter_license)
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/THIRD-PARTY-LICENSES.txt.in ${ZELVANE_THIRD_PARTY_LICENSES} @ONLY
               NEWLINE_STYLE CRLF)
