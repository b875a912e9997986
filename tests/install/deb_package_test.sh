#!/usr/bin/env bash
# Makes the .deb with cpack, checks its control fields, its licence and changelog, has lintian check it
# against Debian's rules when lintian is installed, unpacks it and runs the command-line tool from it.
set -euo pipefail
cpack=$1
build=$2
license=$3

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! log=$("$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" 2>&1); then
  echo "$log"
  exit 1
fi
debs=("$work"/out/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "expected one .deb, found: ${debs[*]}"
  exit 1
fi
deb=${debs[0]}

failed=0
fail() {
  echo "$*"
  failed=1
}

# Field and a pattern its value must match; Depends is computed from the programs' libraries.
fields=(
  "Package|zelvane"
  "Version|1\.0"
  "Section|utils"
  "Maintainer|.+ <.+@.+>"
  "Description|.+"
  "Depends|.*libc6.*"
  "Depends|.*libqt6widgets6.*"
)
for entry in "${fields[@]}"; do
  field=${entry%%|*}
  pattern=${entry#*|}
  value=$(dpkg-deb -f "$deb" "$field")
  [[ $value =~ ^$pattern$ ]] || fail "$field is '$value', expected '$pattern'"
done
[ -z "$(dpkg-deb -f "$deb" Homepage)" ] || fail "the package names a homepage"

dpkg-deb -x "$deb" "$work/root"
doc=$work/root/usr/share/doc/zelvane

# The copyright file names the licence and points to Debian's copy of its text: LICENSE must be that text.
grep -qx 'License: Apache-2.0' "$doc/copyright" || fail "the copyright file does not name Apache-2.0"
cmp -s "$license" /usr/share/common-licenses/Apache-2.0 ||
  fail "$license is not the text of /usr/share/common-licenses/Apache-2.0 the copyright file points to"

# Each version the package gets needs its entry in the changelog.
gzip -dc "$doc/changelog.gz" >"$work/changelog"
version=$(dpkg-parsechangelog -l "$work/changelog" -S Version)
[ "$version" = "$(dpkg-deb -f "$deb" Version)" ] || fail "the changelog's latest version is $version"

if command -v lintian >/dev/null; then
  # It exits non-zero on an error (E:) it finds, or when it cannot check the package at all.
  report=$(lintian --fail-on error --tag-display-limit 0 "$deb" 2>&1) || fail "lintian failed:
$report"
fi

if output=$("$work/root/usr/bin/zelvane-cli" --version 2>&1); then
  [[ $output == *"zelvane-cli 1.0"* ]] || fail "zelvane-cli --version printed '$output'"
else
  fail "zelvane-cli --version failed: $output"
fi

exit $failed
