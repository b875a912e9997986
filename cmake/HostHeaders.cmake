# A cross build takes the header-only libraries (CLI11, xxHash) from the build machine's packages,
# linked into a folder of their own so that the rest of its /usr/include stays out of sight.
set(ZELVANE_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${ZELVANE_HOST_HEADERS})
file(CREATE_LINK /usr/include/CLI ${ZELVANE_HOST_HEADERS}/CLI SYMBOLIC)
file(CREATE_LINK /usr/include/xxhash.h ${ZELVANE_HOST_HEADERS}/xxhash.h SYMBOLIC)
set(XXHASH_INCLUDE_DIR ${ZELVANE_HOST_HEADERS} CACHE PATH "xxhash.h" FORCE)
add_library(CLI11::CLI11 INTERFACE IMPORTED)
set_target_properties(CLI11::CLI11 PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${ZELVANE_HOST_HEADERS})
set(CLI11_FOUND TRUE)
