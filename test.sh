#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs the whole test suite.
# ./test.sh          release build
# ./test.sh --asan   the same suite under AddressSanitizer and UndefinedBehaviorSanitizer
set -euo pipefail
cd "$(dirname "$0")"

preset=release
case "${1:-}" in
    "") ;;
    --asan) preset=asan ;;
    *) echo "Aufruf: ./test.sh [--asan]" >&2; exit 2 ;;
esac

scripts/setup.sh "$preset"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
ctest --preset "$preset" -j"$(nproc)"
