#!/usr/bin/env bash
# smoke-test.sh BUILD: starts the Windows build's zelvane.exe under Wine with a file of 3150 numbers, in a
# virtual desktop on an X server of its own (Xvfb), and checks that its window shows the numbers' counts
# in its status line, is still there after a few seconds, cannot be made smaller than it starts (its
# template's size), and ends with exit code 0 when asked to close. Then imports a workbook with two
# columns of numbers through 选择号码所在的列. Then starts it with a file of six
# million numbers given three times (work of several seconds) and clicks its close box while the
# import's progress window shows: it ends, with exit code 0 and no message. Leaves a screenshot of the window in BUILD/screenshot-windows.png. Every wait has a
# time limit.
set -euo pipefail

here=$(dirname "$(realpath "$0")")
source "$here/wine-prefix.sh" "$1"
# Wine knows the build folder as D:; the other Linux folders have no drive to start in.
cd "$build"
caption="Zelvane V1.0"
status_id=1013
desktop=zelvane
screenshot=$build/screenshot-windows.png
work=$root/temp/smoke  # T:\smoke
rm -rf "$work" "$screenshot"
mkdir -p "$work"

xvfb=""
explorer=""
finish() {
  local code=$?
  [ -z "$explorer" ] || kill "$explorer" 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  # A window left open would keep Wine's session and its processes waiting for a dead display.
  [ "$code" -eq 0 ] || "$WINESERVER" -k 2>/dev/null || true
}
trap finish EXIT
fail() { echo "smoke-test.sh: $*" >&2; exit 1; }
probe() { timeout 30 "${wine[@]}" 'D:\tests\windows\window_probe.exe' "$desktop" "$caption" "$@"; }

# 1200 移动, 900 联通, 600 电信, 300 小灵通 and 150 其他, each number once.
awk 'BEGIN {
  for (i = 0; i < 1200; i++) printf "138%08d\r\n", i * 7919
  for (i = 0; i < 900; i++) printf "130%08d\r\n", i * 7919
  for (i = 0; i < 600; i++) printf "133%08d\r\n", i * 7919
  for (i = 0; i < 300; i++) printf "0755%08d\r\n", 20000000 + i * 7919
  for (i = 0; i < 150; i++) printf "99%06d\r\n", i
}' >"$work/号码.txt"
expected='(^|[^0-9,])1,200[^0-9]+900[^0-9]+600[^0-9]+300[^0-9]+150([^0-9,]|$)'  # counts grouped as the window writes them

# The dialogs ask for 宋体; a Linux machine has WenQuanYi Micro Hei (fonts-wqy-microhei) to draw Chinese.
for name in 宋体 SimSun; do
  timeout 30 "${wine[@]}" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$name" /t REG_SZ \
    /d "WenQuanYi Micro Hei" /f >/dev/null
done

# Each run starts as a first start: nothing remembered from the one before (the size and place of the window).
timeout 30 "${wine[@]}" reg delete 'HKCU\Software\Zelvane' /f >/dev/null 2>&1 || true

# The caption's buttons are drawn with Marlett, which Debian's fonts-wine puts where this Wine does not look.
ln -sf /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf"

# Xvfb takes the first free display and writes its number to descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(cat "$work/display")

started=$SECONDS
"${wine[@]}" explorer "/desktop=$desktop,1280x800" 'D:\app\win32\zelvane.exe' 'T:\smoke\号码.txt' \
  >"$work/explorer.log" 2>&1 &
explorer=$!

status=$(probe text "$status_id" 15) || fail "no window \"$caption\" within 15 s"
# The import ends with its message box, which waits for 确定; its text is the box's static 0xFFFF.
message=$(timeout 30 "${wine[@]}" 'D:\tests\windows\window_probe.exe' "$desktop" 提示 text 65535 10) ||
  fail "no message box after the import"
timeout 30 "${wine[@]}" 'D:\tests\windows\window_probe.exe' "$desktop" 提示 press 1 || fail "could not press 确定"
# A text shown while the import runs is read again until the counts come or 15 s have passed.
while ! [[ $status =~ $expected ]] && [ $((SECONDS - started)) -lt 15 ]; do
  sleep 0.5
  status=$(probe text "$status_id" 1) || fail "the window \"$caption\" was gone after $((SECONDS - started)) s"
done
# Still there a few seconds after the start: the import did not end the program.
sleep $((started + 4 > SECONDS ? started + 4 - SECONDS : 0))
# The table choice looked through and left with Esc still shows, and uses, the table it had.
{ read -r shown_before; read -r shown_after; } < <(probe browse 2001) || fail "could not open the table choice"
[ "$shown_before" = "原始号段（2009）" ] && [ "$shown_after" = "$shown_before" ] ||
  fail "the table choice showed \"$shown_after\" after Esc in its list (\"$shown_before\" before)"
[ "$(probe text "$status_id" 1)" = "$status" ] || fail "looking through the table choice changed the lists"
read -r x y width height < <(probe rect) || fail "the window \"$caption\" was gone after $((SECONDS - started)) s"
timeout 30 import -window root "$work/screen.png"
convert "$work/screen.png" -crop "${width}x${height}+${x}+${y}" +repage -strip "$screenshot"
read -r _ _ narrowed_width narrowed_height < <(probe resize 200 150) || fail "could not resize the window"
[ "$narrowed_width" -ge "$width" ] && [ "$narrowed_height" -ge "$height" ] ||
  fail "the window was made ${narrowed_width}x${narrowed_height}, smaller than its template's ${width}x${height}"
exit_code=$(probe close 10) || fail "the window program did not end within 10 s of WM_CLOSE"
end_desktop() {
  for _ in $(seq 100); do kill -0 "$explorer" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$explorer" 2>/dev/null && fail "Wine's desktop did not end after the program"
  explorer=""
}
end_desktop

# A workbook whose columns 手机 and 备注 both hold numbers: "选择号码所在的列" names the file, 确定 imports
# the fuller column (手机, two numbers), and the import says so.
book=$work/book
rel=http://schemas.openxmlformats.org/officeDocument/2006/relationships
main=http://schemas.openxmlformats.org/spreadsheetml/2006/main
package=http://schemas.openxmlformats.org/package/2006/relationships
inline() { printf '<c r="%s" t="inlineStr"><is><t>%s</t></is></c>' "$1" "$2"; }
mkdir -p "$book/_rels" "$book/xl/_rels" "$book/xl/worksheets"
echo '<Types/>' >"$book/[Content_Types].xml"
echo "<Relationships xmlns=\"$package\"><Relationship Id=\"rId1\" Type=\"$rel/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>" >"$book/_rels/.rels"
echo "<workbook xmlns=\"$main\" xmlns:r=\"$rel\"><sheets><sheet name=\"客户\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>" >"$book/xl/workbook.xml"
echo "<Relationships xmlns=\"$package\"><Relationship Id=\"rId1\" Type=\"$rel/worksheet\" Target=\"worksheets/sheet1.xml\"/></Relationships>" >"$book/xl/_rels/workbook.xml.rels"
echo "<worksheet xmlns=\"$main\"><sheetData>" \
  "<row r=\"1\">$(inline A1 手机)$(inline B1 备注)</row>" \
  "<row r=\"2\"><c r=\"A2\"><v>13800138000</v></c>$(inline B2 '座机 0755-88886666')</row>" \
  "<row r=\"3\"><c r=\"A3\"><v>13900139000</v></c></row></sheetData></worksheet>" >"$book/xl/worksheets/sheet1.xml"
(cd "$book" && zip -q -X -r ../客户.xlsx '[Content_Types].xml' _rels xl)
"${wine[@]}" explorer "/desktop=$desktop,1280x800" 'D:\app\win32\zelvane.exe' 'T:\smoke\客户.xlsx' \
  >"$work/explorer-book.log" 2>&1 &
explorer=$!
column_prompt_id=1024
column_prompt=$(timeout 30 "${wine[@]}" 'D:\tests\windows\window_probe.exe' "$desktop" 选择号码所在的列 text \
  "$column_prompt_id" 15) || fail "no dialog 选择号码所在的列 for a workbook with two number columns"
timeout 30 "${wine[@]}" 'D:\tests\windows\window_probe.exe' "$desktop" 选择号码所在的列 press 1 || fail "could not press 确定"
book_message=$(timeout 30 "${wine[@]}" 'D:\tests\windows\window_probe.exe' "$desktop" 提示 text 65535 10) ||
  fail "no message box after the workbook's import"
timeout 30 "${wine[@]}" 'D:\tests\windows\window_probe.exe' "$desktop" 提示 press 1 || fail "could not press 确定"
probe close 10 >/dev/null || fail "the window program did not end within 10 s of WM_CLOSE"
end_desktop
[ "$column_prompt" = "“客户.xlsx”中有几列都有号码，请选择要导入的列：" ] ||
  fail "选择号码所在的列 said \"$column_prompt\""
[ "$book_message" = "共计导入2个接收号码！" ] ||
  fail "the workbook's import said \"$book_message\"; expected 共计导入2个接收号码！"

# Closed while it imports: the work is cancelled, then the window closes, without the import's message.
awk 'BEGIN { for (i = 0; i < 6000000; i++) printf "139%08d\r\n", i }' >"$work/big.txt"
"${wine[@]}" explorer "/desktop=$desktop,1280x800" 'D:\app\win32\zelvane.exe' 'T:\smoke\big.txt' 'T:\smoke\big.txt' \
  'T:\smoke\big.txt' >"$work/explorer-big.log" 2>&1 &
explorer=$!
progress_id=101
timeout 60 "${wine[@]}" 'D:\tests\windows\window_probe.exe' "$desktop" "正在导入“big.txt”等3个文件…" text \
  "$progress_id" 30 >/dev/null || fail "no progress window while eighteen million numbers are imported"
closed_code=$(probe click-close 20) || fail "the window did not end within 20 s of a click on its close box during work"
end_desktop
rm "$work/big.txt"

echo "smoke-test.sh: status line: $status"
echo "smoke-test.sh: message: $message"
[ "$message" = "共计导入3,150个接收号码！" ] || fail "the import said \"$message\"; expected 共计导入3,150个接收号码！"
[ "$exit_code" = 0 ] || fail "the window program ended with exit code $exit_code"
[ "$closed_code" = 0 ] || fail "the window program closed during work ended with exit code $closed_code"
[[ $status =~ $expected ]] ||
  fail "the status line (control $status_id) shows \"$status\"; expected the counts of 号码.txt in order:" \
    "移动 1,200, 联通 900, 电信 600, 小灵通 300, 其他 150"
echo "smoke-test.sh: passed in $((SECONDS - started)) s; $screenshot"
