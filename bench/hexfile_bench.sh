#!/usr/bin/env bash
# Throughput and peak memory of "quirlwerk-cli hexfile" on a 200 MiB hex text file, against "xxd -r -p" on the same
# pairs without their "0x". Medians of several runs; all files live in a temporary folder removed at the end.
# Usage: bench/hexfile_bench.sh [RUNS] [MIB]     (defaults 5 and 200; needs the release build, xxd and GNU time)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-5}
mebibytes=${2:-200}
cli=${QUIRLWERK_CLI:-build/bin/quirlwerk-cli}
[ -x "$cli" ] || { echo "quirlwerk-cli fehlt: erst bauen (cmake --build --preset release)" >&2; exit 2; }
command -v xxd >/dev/null || { echo "xxd fehlt" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time fehlt (Paket time)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One MiB of lines of 8 to 40 codes: pairs with blanks, pairs glued to the next code and "0x" codes, ended by CR LF.
awk 'BEGIN {
    srand(11)
    while (size < 1048576) {
        line = ""
        codes = 8 + int(rand() * 33)
        for (i = 0; i < codes; ++i) {
            form = rand()
            value = int(rand() * 256)
            if (form < 0.25) line = line sprintf("0x%02X ", value)
            else if (form < 0.5) line = line sprintf("%02x", value)
            else line = line sprintf("%02X ", value)
        }
        sub(/ $/, "", line)
        printf "%s\r\n", line
        size += length(line) + 2
    }
}' >"$work/chunk.txt"
sed 's/0x//g' "$work/chunk.txt" >"$work/chunk-pairs.txt"
for ((i = 0; i < mebibytes; ++i)); do cat "$work/chunk.txt"; done >"$work/codes.txt"
for ((i = 0; i < mebibytes; ++i)); do cat "$work/chunk-pairs.txt"; done >"$work/pairs.txt"

# Runs a command once and prints "seconds peak-KiB".
measure() {
    local start end peak
    start=$(date +%s%N)
    peak=$(/usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1)
    end=$(date +%s%N)
    awk -v ns=$((end - start)) -v peak="$peak" 'BEGIN { printf "%.4f %d\n", ns / 1e9, peak }'
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

cat "$work/codes.txt" "$work/pairs.txt" >/dev/null   # into the page cache
: >"$work/cli"; : >"$work/xxd"
for ((run = 1; run <= runs; ++run)); do
    rm -f "$work/cli.bin" "$work/xxd.bin"
    measure "$cli" hexfile "$work/codes.txt" "$work/cli.bin" >>"$work/cli"
    measure xxd -r -p "$work/pairs.txt" "$work/xxd.bin" >>"$work/xxd"
done
cmp -s "$work/cli.bin" "$work/xxd.bin" || { echo "Die Ausgaben von quirlwerk-cli und xxd unterscheiden sich!" >&2; exit 1; }

awk -v codes="$(stat -c %s "$work/codes.txt")" -v pairs="$(stat -c %s "$work/pairs.txt")" -v runs="$runs" \
    -v cs="$(cut -d' ' -f1 "$work/cli" | median)" -v xs="$(cut -d' ' -f1 "$work/xxd" | median)" \
    -v cp="$(cut -d' ' -f2 "$work/cli" | sort -n | tail -1)" -v xp="$(cut -d' ' -f2 "$work/xxd" | sort -n | tail -1)" '
BEGIN {
    cm = codes / 1048576; pm = pairs / 1048576; ct = cm / cs; xt = pm / xs
    printf "hex text: %.1f MiB with 0x codes, %.1f MiB of plain pairs; median of %d runs, highest peak\n", cm, pm, runs
    printf "quirlwerk-cli hexfile: %7.3f s  %7.1f MiB/s  peak %6.1f MiB\n", cs, ct, cp / 1024
    printf "xxd -r -p:             %7.3f s  %7.1f MiB/s  peak %6.1f MiB\n", xs, xt, xp / 1024
    printf "throughput ratio: %.2fx (goal: at least 5x, peak under 16 MiB)\n", ct / xt
    exit !(ct / xt >= 5 && cp < 16 * 1024)
}'
