#!/usr/bin/env bash
# Takes the README's pictures of the windows again on a virtual screen: scripts/screenshot.sh [folder]
set -euo pipefail
cd "$(dirname "$0")/.."
folder=$(realpath -m "${1:-docs}")
mkdir -p "$folder"
cmake --build --preset release --target screenshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" build/release/tools/screenshots "$folder" "$PWD/docs/hidden-picture.gif"
