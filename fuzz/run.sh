#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (and the sanitizers) and runs each for a while.
# Usage: fuzz/run.sh [SECONDS]     (default 60 per target; not part of CI)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc -Ibuild/release/generated)

build() {   # target, core folders, libraries (-l...)
    local target=$1
    shift
    local sources=()
    local libraries=()
    for folder in common "$@"; do
        if [[ $folder == -l* ]]; then
            libraries+=("$folder")
        else
            sources+=(src/"$folder"/*.cpp)
        fi
    done
    clang++ "${flags[@]}" "fuzz/$target.cpp" "${sources[@]}" "${libraries[@]}" -o "$out/$target"
}

build conversions_fuzz conversions
build hex_codes_fuzz hexfile
build bitmap_fuzz bitmap palette -lgif -lpng
build palette_fuzz palette -lgif -lpng

for target in conversions_fuzz hex_codes_fuzz bitmap_fuzz palette_fuzz; do
    mkdir -p "$out/$target.corpus"
    "$out/$target" -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=10 "$out/$target.corpus"
done
