#!/usr/bin/env bash
# Starts the editor with a sample board on a virtual screen (Xvfb) and writes
# a picture of its window, by default the README's docs/screenshot.png.
# Usage: tools/screenshot.sh [picture.png] [board]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-docs/screenshot.png}")
build=${BUILD_DIR:-build}
board=$(realpath "${2:-$build/bin/Boards/Factory.zvb}")
cmake --build "$build" --target kestrix kestrix_grab
mkdir -p "$(dirname "$out")"
# A fresh per-user folder: the window as a first start shows it.
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
xvfb-run -a -s "-screen 0 1280x900x24 -wr" \
    env userprofile="$profile" QT_QPA_PLATFORM=xcb sh -c '
        "$1" "$2" & editor=$!
        "$3" "$4"; status=$?
        kill "$editor"
        exit $status' sh "$build/bin/kestrix" "$board" "$build/tools/kestrix_grab" "$out"
echo "wrote $out"
