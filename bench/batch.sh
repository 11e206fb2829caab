#!/usr/bin/env bash
# Headings per second of 'shelfkey cutter' from a file of 1,000,000 headings
# to /dev/null with a 16,000-entry table, next to floors measured in the same
# run: reading the file ('cat') and the filing keys alone ('shelfkey key'),
# and the peak memory for the whole file and for a tenth of it.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${BUILD:-build/release}"
count="${1:-1000000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$build/bin/make_batch_data" "$work/headings.txt" "$work/table.idx" "$count"
head -n $((count / 10)) "$work/headings.txt" >"$work/tenth.txt"
shelfkey="$build/bin/shelfkey"

seconds() {  # best of three wall-clock times of a command
  local best=""
  for _ in 1 2 3; do
    local start end t
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    t=$((end - start))
    if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
  done
  echo "$best"
}
rate() { awk -v n="$count" -v ns="$1" 'BEGIN { printf "%.0f", n / (ns / 1e9) }'; }

cat_ns=$(seconds cat "$work/headings.txt")
key_ns=$(seconds "$shelfkey" key -f "$work/headings.txt")
cutter_ns=$(seconds "$shelfkey" cutter --index "$work/table.idx" -f "$work/headings.txt")
peak_all=$(/usr/bin/time -f %M "$shelfkey" cutter --index "$work/table.idx" -f "$work/headings.txt" 2>&1 >/dev/null | tail -n 1)
peak_tenth=$(/usr/bin/time -f %M "$shelfkey" cutter --index "$work/table.idx" -f "$work/tenth.txt" 2>&1 >/dev/null | tail -n 1)

echo "headings: $count ($(du -h "$work/headings.txt" | cut -f1)), table: 16,000 entries"
echo "cat (floor):          $(rate "$cat_ns") lines/s"
echo "shelfkey key (floor): $(rate "$key_ns") headings/s"
echo "shelfkey cutter:      $(rate "$cutter_ns") headings/s (goal: at least 2,000,000)"
echo "cutter / key ratio:   $(awk -v a="$cutter_ns" -v b="$key_ns" 'BEGIN { printf "%.2f", a / b }')"
echo "peak memory:          ${peak_all} KiB for all headings, ${peak_tenth} KiB for a tenth"
