#!/usr/bin/env bash
# Every zelvane-N.png in the icon folder is a PNG of N x N pixels, as its name says.
set -euo pipefail
icons=$1

shopt -s nullglob
pngs=("$icons"/zelvane-*.png)
if [ ${#pngs[@]} -eq 0 ]; then
  echo "no zelvane-N.png in $icons"
  exit 1
fi

failed=0
for png in "${pngs[@]}"; do
  size=$(basename "$png" .png)
  size=${size#zelvane-}
  kind=$(file -b "$png")
  if [[ $kind != "PNG image data, $size x $size,"* ]]; then
    echo "$png: $kind, expected $size x $size"
    failed=1
  fi
done
exit $failed
