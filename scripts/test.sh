#!/usr/bin/env bash
# Installs what is missing, builds every preset that CI covers and runs all
# their tests, then fuzzes each fuzz target for FUZZ_SECONDS (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build windows

for preset in debug asan; do
  echo "== $preset"
  scripts/build.sh "$preset"
  ctest --preset "$preset" -j "$(nproc)" -LE package
done

# The release build, packed as a .deb, installed into a temporary root and run there.
echo "== release package"
scripts/build.sh release
ctest --preset release -L package

# Shelfkey.DLL for 32-bit Windows, and the same sources for 64-bit Windows:
# their tests run under Wine (32-bit Wine only where the kernel runs 32-bit
# programs; elsewhere those tests report themselves skipped).
for preset in mingw mingw64; do
  echo "== $preset"
  scripts/build.sh "$preset"
  ctest --preset "$preset"
done

echo "== fuzz"
scripts/build.sh fuzz
ctest --preset fuzz
seconds="${FUZZ_SECONDS:-60}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for target in fuzz_filing_key fuzz_lookup; do
  mkdir -p "$work/$target"
  cp fuzz/corpus/$target/* "$work/$target/"
  echo "-- $target for ${seconds}s"
  status=0
  build/fuzz/bin/$target -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/$target" >"$work/$target.log" 2>&1 || status=$?
  grep -E "^(Done|stat::number_of_executed_units)" "$work/$target.log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 60 "$work/$target.log" >&2
    echo "fuzz target $target failed (exit $status); its input is kept in $work" >&2
    trap - EXIT
    exit 1
  fi
done
echo "All tests passed."
