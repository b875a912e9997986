/* Included into libxlsxwriter's tmpfileplus.c by the Windows build (windows_workbook_libraries.cmake):
 * the temporary files are opened by their UTF-16 names, so that a folder whose name the ANSI code page
 * cannot spell (a Chinese user name in %TEMP%) works as any other. */
#include <errno.h>
#include <windows.h>

/* A UTF-8 path as UTF-16; 0 when it is not UTF-8 or too long. */
static int wide_path(const char *path, wchar_t *wide) {
  return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, path, -1, wide, MAX_PATH);
}

static int open_utf8(const char *path, int oflag, int pmode) {
  wchar_t wide[MAX_PATH];
  if (!wide_path(path, wide)) {
    errno = ENOENT;
    return -1;
  }
  return _wopen(wide, oflag, pmode);
}

static int is_dir_utf8(const char *path) {
  wchar_t wide[MAX_PATH];
  DWORD attributes;
  if (!wide_path(path, wide)) return 0;
  attributes = GetFileAttributesW(wide);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}
