#!/usr/bin/env bash
# Builds the Debian package from the release build: build/package/quirlwerk_<version>_amd64.deb.
# Install it with: sudo apt-get install ./build/package/quirlwerk_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh release
rm -f build/package/quirlwerk_*.deb
cpack --config build/release/CPackConfig.cmake -B "$PWD/build/package"
ls build/package/quirlwerk_*.deb
