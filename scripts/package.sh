#!/usr/bin/env bash
# Builds the Debian package from the release build: build/package/quirlwerk_<version>_amd64.deb.
# Builds only the programs the package holds, then refuses to pack unless the install tests pass.
# Install it with: sudo apt-get install ./build/package/quirlwerk_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh release quirlwerk quirlwerk-cli
ctest --preset release -R '^install\.' --output-on-failure
rm -f build/package/quirlwerk_*.deb
cpack --config build/release/CPackConfig.cmake -B "$PWD/build/package"
ls build/package/quirlwerk_*.deb
