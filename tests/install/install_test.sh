#!/usr/bin/env bash
# Installs the build as /usr into a temporary folder and checks it the way a desktop would use it:
# exactly the expected files, the desktop entry and the AppStream data valid and naming each other,
# the manual pages free of warnings, the licence and changelog where Debian looks for them.
set -euo pipefail
cmake=$1
build=$2

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root "$cmake" --install "$build" --prefix /usr >/dev/null

id=io.github.zelvane.Zelvane
expected=(
  usr/bin/zelvane
  usr/bin/zelvane-cli
  usr/share/applications/$id.desktop
  usr/share/metainfo/$id.metainfo.xml
  usr/share/icons/hicolor/scalable/apps/$id.svg
  usr/share/man/man1/zelvane.1.gz
  usr/share/man/man1/zelvane-cli.1.gz
  usr/share/doc/zelvane/copyright
  usr/share/doc/zelvane/changelog.gz
)
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/$id.png")
done

failed=0
fail() {
  echo "$*"
  failed=1
}

installed=$(cd "$root" && find . -type f -printf '%P\n' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$installed" = "$wanted" ] || fail "installed files differ from the expected ones:
$(diff <(echo "$wanted") <(echo "$installed") || true)"
for program in usr/bin/zelvane usr/bin/zelvane-cli; do
  [ -x "$root/$program" ] || fail "$program is not executable"
done

# Validators print hints that do not fail them; none is expected either.
desktop=$root/usr/share/applications/$id.desktop
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed"
[ -z "$report" ] || fail "desktop-file-validate: $report"
# validate-tree also checks the metadata against the installed desktop entry.
appstreamcli validate-tree --no-net --strict "$root/usr" >/dev/null || fail "appstreamcli validate-tree failed:
$(appstreamcli validate-tree --no-net --explain "$root/usr" 2>&1)"

# What the validators do not know: the lines that tie the files to the program and to each other.
metainfo=$root/usr/share/metainfo/$id.metainfo.xml
checks=(
  "$desktop|Exec=zelvane %F"
  "$desktop|TryExec=zelvane"
  "$desktop|Icon=$id"
  "$desktop|MimeType=text/plain;"
  "$desktop|Name=Zelvane"
  "$desktop|Name\[zh_CN\]=.+"
  "$metainfo|  <id>$id</id>"
  "$metainfo|  <launchable type=\"desktop-id\">$id.desktop</launchable>"
  "$metainfo|  <name xml:lang=\"zh-CN\">.+</name>"
  "$metainfo|  <summary xml:lang=\"zh-CN\">.+</summary>"
  "$metainfo|    <release version=\"1.0\" date=\"[0-9-]+\">"
)
for check in "${checks[@]}"; do
  file=${check%%|*}
  line=${check#*|}
  grep -Eqx "$line" "$file" || fail "${file#"$root"/}: no line matching '$line'"
done

# The pages hold Chinese text: preconv (-k) reads it as UTF-8, and the UTF-8 device has its glyphs.
for page in zelvane zelvane-cli; do
  text=$(gzip -dc "$root/usr/share/man/man1/$page.1.gz") || fail "$page.1.gz is not gzip data"
  warnings=$(LC_ALL=C.UTF-8 groff -k -man -Tutf8 -ww -z <<<"$text" 2>&1) || fail "groff failed on $page.1"
  [ -z "$warnings" ] || fail "$page.1: $warnings"
  head -n 1 <<<"$text" | grep -q '^\.TH .* 1 ' || fail "$page.1 is not in section 1"
done

exit $failed
