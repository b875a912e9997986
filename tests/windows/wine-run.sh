#!/usr/bin/env bash
# wine-run.sh BUILD PROGRAM.exe [ARGUMENT...]: runs a program of the Windows build under Wine, in the
# build's own prefix (wine-prefix.sh), without a display.
set -euo pipefail

program=$(realpath "$2")
unset DISPLAY WAYLAND_DISPLAY
source "$(dirname "$0")/wine-prefix.sh" "$1"
shift 2

case $program in
  "$build"/*) ;;
  *) echo "wine-run.sh: $program is not in the build folder $build" >&2; exit 125 ;;
esac
relative=${program#"$build"/}
exec "${wine[@]}" "D:\\${relative//\//\\}" "$@"
