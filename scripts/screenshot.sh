#!/usr/bin/env bash
# Takes the README's picture of the main window on a virtual screen: scripts/screenshot.sh [file.png]
set -euo pipefail
cd "$(dirname "$0")/.."
file=$(realpath -m "${1:-docs/main-window.png}")
mkdir -p "$(dirname "$file")"
cmake --build --preset release --target ui_tests
QT_QPA_PLATFORM=xcb QUIRLWERK_SCREENSHOT="$file" xvfb-run -a -s "-screen 0 1280x1024x24" \
    build/release/tests/ui_tests --gtest_filter='Screenshot.*'
echo "$file"
