#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then configures and builds a preset.
# Usage: scripts/setup.sh PRESET [TARGET ...]   (without targets: everything)
set -euo pipefail

preset=${1:-release}
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    libgif-dev libpng-dev
    libgeographiclib-dev
    xxd xvfb xauth time
    librsvg2-bin desktop-file-utils appstream groff-base dpkg-dev file
    clang libclang-rt-14-dev   # the fuzz preset: clang recommends but does not pull in libFuzzer's runtime
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done

if ((${#missing[@]})); then
    echo "Installing missing packages: ${missing[*]}"
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ ! -f "build/$preset/build.ninja" ]; then
    cmake --preset "$preset" >/dev/null
fi
cmake --build --preset "$preset" ${2:+--target "${@:2}"} -- -j"$(nproc)"
