#!/usr/bin/env bash
# on-terminal.sh BUILD PROGRAM.exe [ARGUMENT...]: runs a program of the Windows build under Wine as
# wine-run.sh does, with a terminal of its own (script's) as its standard input, which Wine makes the
# program's console. Its output still goes where this script's goes, as plain text.
set -euo pipefail
exec 3>&1 4>&2
exec script --quiet --return --command "$(printf '%q ' "$(dirname "$0")/wine-run.sh" "$@") >&3 2>&4" /dev/null
