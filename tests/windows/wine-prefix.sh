# Sourced by the scripts that run programs of the Windows build under Wine:
#   source tests/windows/wine-prefix.sh BUILD
# makes the build's own prefix (BUILD/wine, on first use), starts Wine's session and sets `wine`, the
# command that runs a Windows program in it. The programs see the build folder as D:, their temporary
# folder as T:, no drive for the rest of the Linux file system (Wine's Z: would let a Linux path work
# where Windows fails it) and a Chinese system: ANSI code page 936. When mounting is allowed, S: is a
# 64 KiB file system for tests of a full disk. Windows are drawn on $DISPLAY when it is set.

build=$(realpath "$1")
root=$build/wine

export WINEPREFIX=$root/prefix
export WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG=-all
# No Mono, Gecko or menu entries: nothing to offer for download, nothing written outside the prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# Wine takes the ANSI code page from the C library's locale, built into the build's folder so that the
# machine needs no zh_CN generated. Only Wine gets it: this shell would warn before it exists.
export LOCPATH=$root/locale
wine=(env LC_ALL=zh_CN.UTF-8 /usr/lib/wine/wine64)

# Mounted again after a restart; scripts/windows unmounts it when its tests are done.
mount_small() { mountpoint -q "$root/small" || mount -t tmpfs -o size=64k,mode=0777 tmpfs "$root/small" 2>/dev/null; }

make_prefix() {
  rm -rf "$WINEPREFIX" "$LOCPATH"
  mkdir -p "$LOCPATH" "$root/temp" "$root/small"
  localedef -i zh_CN -f UTF-8 "$LOCPATH/zh_CN.UTF-8" || [ -f "$LOCPATH/zh_CN.UTF-8/LC_CTYPE" ]
  "${wine[@]}" wineboot --init >"$root/wineboot.log" 2>&1
  "$WINESERVER" -w
  local drives=$WINEPREFIX/dosdevices
  rm -f "$drives/z:"
  ln -s "$build" "$drives/d:"
  ln -s "$root/temp" "$drives/t:"
  mount_small && ln -s "$root/small" "$drives/s:"
  "${wine[@]}" reg add 'HKCU\Environment' /v TEMP /t REG_SZ /d 'T:\' /f >/dev/null
  "${wine[@]}" reg add 'HKCU\Environment' /v TMP /t REG_SZ /d 'T:\' /f >/dev/null
  "$WINESERVER" -w
  touch "$root/ready"
}

# Wine's server and the system processes it starts (services.exe, winedevice.exe, ...) keep the
# standard streams of the program that started them until the server ends. Started from a test, they
# would hold its output pipe open and CTest would wait for them; started here, they hold /dev/null.
# The server stays a minute after the last program, so that tests in a row share one session.
start_session() {
  if "$WINESERVER" -p60 </dev/null >/dev/null 2>&1; then
    "${wine[@]}" cmd /c exit </dev/null >/dev/null 2>&1
  fi
}

# Tests run in parallel: the first one makes the prefix, the others wait for it.
mkdir -p "$root"
exec 9>"$root/lock"
flock 9
if [ -f "$root/ready" ]; then
  if [ -L "$WINEPREFIX/dosdevices/s:" ]; then mount_small || true; fi
else
  make_prefix
fi
start_session
flock -u 9
exec 9>&-
