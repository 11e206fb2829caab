#!/usr/bin/env bash
# Starts Cutter under a virtual display, types a heading and saves a picture
# of its window as docs/cutter.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build screenshot
scripts/build.sh release
root="$(pwd)"
work="$(mktemp -d)"
display=":97"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  kill "$cutter" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
cutter=""
trap cleanup EXIT
export DISPLAY="$display" XDG_CONFIG_HOME="$work"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break || sleep 0.1; done
(cd build/release/tables && exec ../bin/Cutter) &
cutter=$!
window=""
for _ in $(seq 100); do
  window="$(xdotool search --name "Merex Tolan Cutter Program" 2>/dev/null | head -n 1 || true)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "screenshot.sh: Cutter's window did not appear" >&2; exit 1; }
# There is no window manager: give the window the keyboard focus ourselves.
xdotool windowfocus --sync "$window"
xdotool type --delay 40 "Van Buren, Martin"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
mkdir -p docs
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$root/docs/cutter.png"
echo "Saved docs/cutter.png (${WIDTH}x${HEIGHT})"
