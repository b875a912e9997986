#!/usr/bin/env bash
# installer-test.sh BUILD SETUP.exe: installs Zelvane silently under Wine into a folder of the test's own
# (a Chinese name with a space), checks the files, the Start-menu shortcut, the uninstall entry and the
# "Open with" registration, uninstalls it silently and checks that all of them are gone while .txt files
# keep their default program. Every wait has a time limit.
set -euo pipefail

here=$(dirname "$(realpath "$0")")
setup=$(realpath "$2")
source "$here/wine-prefix.sh" "$1"
cd "$build"  # D:

folder='T:\安装 测试\Zelvane'
linux_folder=$root/temp/'安装 测试'/Zelvane
shortcut=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/'Start Menu'/Programs/Zelvane.lnk
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelvane'
application_key='HKLM\Software\Classes\Applications\zelvane.exe\SupportedTypes'
txt_key='HKLM\Software\Classes\.txt'
rm -rf "$root/temp/安装 测试"

fail() { echo "installer-test.sh: $*" >&2; exit 1; }
run() { timeout 60 "${wine[@]}" "$@"; }
# reg.exe writes in the ANSI code page, GBK.
query() { run reg query "$@" 2>/dev/null | iconv -f GBK -t UTF-8; }
# The data of .txt's default value: empty when the key or the value is not there (reg shows "(没有设值)"
# for a key that exists without it, as .txt does once a subkey is made in a fresh prefix).
txt_default() { query "$txt_key" /ve | tr -d '\r' | sed -n 's/.*REG_SZ *//p' | sed 's/^(.*)$//' || true; }

case $setup in
  "$build"/*) ;;
  *) fail "$setup is not in the build folder $build" ;;
esac
relative=${setup#"$build"/}
txt_before=$(txt_default)

# /D= takes the rest of the command line, unquoted, as Windows' cmd passes it; Wine would quote it.
run cmd /c "D:\\${relative//\//\\} /S /D=$folder" || fail "the installer failed"
for file in zelvane.exe zelvane-cli.exe README.md LICENSE THIRD-PARTY-LICENSES.txt uninstall.exe; do
  [ -s "$linux_folder/$file" ] || fail "$folder\\$file was not installed"
done
[ -f "$shortcut" ] || fail "no Start-menu shortcut Zelvane.lnk"
query "$uninstall_key" | grep -F "\"$folder\\uninstall.exe\"" >/dev/null || fail "no uninstall entry $uninstall_key"
query "$application_key" /v .txt >/dev/null || fail "zelvane.exe is not offered to open .txt files"
query "$txt_key\\OpenWithProgids" /v Zelvane.NumberFile >/dev/null || fail ".txt does not list Zelvane.NumberFile"
[ "$(txt_default)" = "$txt_before" ] || fail "the installer changed the default program of .txt files"
run "$folder\\zelvane-cli.exe" --version >/dev/null || fail "the installed zelvane-cli.exe does not run"

# The uninstaller runs from a copy in the temporary folder, so that it can delete itself: it returns at once.
run "$folder\\uninstall.exe" /S || fail "the uninstaller failed"
for _ in $(seq 100); do [ -e "$linux_folder" ] || break; sleep 0.1; done
[ ! -e "$linux_folder" ] || fail "the uninstaller left $folder: $(ls "$linux_folder")"
for _ in $(seq 20); do query "$uninstall_key" >/dev/null || break; sleep 0.25; done
! query "$uninstall_key" >/dev/null || fail "the uninstall entry is still there"
[ ! -e "$shortcut" ] || fail "the shortcut is still there"
! query "${application_key%\\*}" >/dev/null || fail "the Applications\\zelvane.exe key is still there"
! query "$txt_key\\OpenWithProgids" /v Zelvane.NumberFile >/dev/null || fail ".txt still lists Zelvane.NumberFile"
[ "$(txt_default)" = "$txt_before" ] || fail "the uninstaller changed the default program of .txt files"
echo "installer-test.sh: passed"
