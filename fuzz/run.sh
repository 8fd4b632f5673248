#!/usr/bin/env bash
# Builds the fuzz targets through the fuzz preset (clang, libFuzzer, ASan, UBSan) and runs each for a while,
# seeded from fuzz/corpus/TARGET/. Any finding fails the run; its input is kept in build/fuzz/findings/TARGET/.
# Usage: fuzz/run.sh [SECONDS]     (default 60 per target; CI runs 30)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

scripts/setup.sh fuzz

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for source in fuzz/*_fuzz.cpp; do
    target=$(basename "$source" .cpp)   # each also needs its line in fuzz/CMakeLists.txt and the fuzz build preset
    corpus=build/fuzz/corpus/$target    # inputs found on the way; the repository's seeds stay as they are
    findings=build/fuzz/findings/$target
    log=build/fuzz/$target.log
    mkdir -p "$corpus" "$findings"
    seeds=()
    [ -d "fuzz/corpus/$target" ] && seeds=("fuzz/corpus/$target")
    if ! build/fuzz/bin/$target -max_total_time="$seconds" -rss_limit_mb=4096 -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$findings/" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "$target: finding kept in $findings/" >&2
        exit 1
    fi
    echo "$target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs in $seconds s"
done
