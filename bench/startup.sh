#!/usr/bin/env bash
# Start-up time of Cutter to a shown window, under a virtual display: the
# median of several starts of the release build. Needs Xvfb and xdotool
# (scripts/deps.sh screenshot).
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-7}"
display=":96"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work="$(mktemp -d)"
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY="$display" XDG_CONFIG_HOME="$work"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break || sleep 0.1; done
times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  (cd build/release/tables && exec ../bin/Cutter) 2>/dev/null &
  pid=$!
  xdotool search --sync --onlyvisible --name "Merex Tolan Cutter Program" >/dev/null
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "Cutter start-up to a shown window: median ${sorted[$((runs / 2))]} ms over $runs starts (${times[*]} ms)"
