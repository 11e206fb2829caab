#!/usr/bin/env bash
# Runs Windows programs of the build under Wine.
#   wine-run.sh BITS PROGRAM [ARG]...     run in the prefix of this test run
#   wine-run.sh --setup BITS STATE        make a fresh prefix in a temporary
#                                         folder and note its path in STATE
#   wine-run.sh --cleanup STATE           end Wine there and remove it
# BITS is 32 or 64. Where Wine cannot run programs of that width (a kernel
# without 32-bit support, say) it says so and exits 77, which the tests
# report as skipped.
set -uo pipefail
export WINEDEBUG=-all

loader_for() {
  case "$1" in
    32) echo /usr/lib/wine/wine ;;
    64) echo /usr/lib/wine/wine64 ;;
    *) echo "wine-run.sh: BITS must be 32 or 64" >&2; exit 64 ;;
  esac
}

can_run() {
  local loader="$1"
  [ -x "$loader" ] || { echo "wine-run.sh: $loader is not installed" >&2; return 1; }
  if ! "$loader" --version >/dev/null 2>&1; then
    echo "wine-run.sh: $loader cannot run on this machine ($(uname -m) kernel without support for its programs)" >&2
    return 1
  fi
}

case "${1:-}" in
  --setup)
    bits="$2" state="$3"
    loader="$(loader_for "$bits")"
    can_run "$loader" || exit 77
    prefix="$(mktemp -d "${TMPDIR:-/tmp}/shelfkey-wine$bits.XXXXXX")"
    WINEPREFIX="$prefix" "$loader" wineboot --init >/dev/null 2>&1
    WINEPREFIX="$prefix" "$(dirname "$loader")/wineserver" -w 2>/dev/null || true
    echo "$prefix" >"$state"
    exit 0
    ;;
  --cleanup)
    state="$2"
    [ -f "$state" ] || exit 0
    prefix="$(cat "$state")"
    WINEPREFIX="$prefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
    case "$prefix" in "${TMPDIR:-/tmp}"/shelfkey-wine*) rm -rf "$prefix" ;; esac
    rm -f "$state"
    exit 0
    ;;
esac

bits="$1"
shift
loader="$(loader_for "$bits")"
can_run "$loader" || exit 77
if [ -n "${SHELFKEY_WINE_STATE:-}" ] && [ -f "$SHELFKEY_WINE_STATE" ]; then
  export WINEPREFIX="$(cat "$SHELFKEY_WINE_STATE")"
fi
exec "$loader" "$@"
