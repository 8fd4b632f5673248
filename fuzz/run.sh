#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (and the sanitizers) and runs each for a while.
# Usage: fuzz/run.sh [SECONDS]     (default 60 per target; not part of CI)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out"
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -Isrc -Ibuild/release/generated)

build() {   # target, core folders
    local target=$1
    shift
    local sources=()
    for folder in common "$@"; do
        sources+=(src/"$folder"/*.cpp)
    done
    clang++ "${flags[@]}" "fuzz/$target.cpp" "${sources[@]}" -o "$out/$target"
}

build conversions_fuzz conversions
build hex_codes_fuzz hexfile
build bitmap_fuzz bitmap

for target in conversions_fuzz hex_codes_fuzz bitmap_fuzz; do
    mkdir -p "$out/$target.corpus"
    "$out/$target" -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=10 "$out/$target.corpus"
done
