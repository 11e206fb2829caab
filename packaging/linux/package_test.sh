#!/usr/bin/env bash
# Builds the .deb, unpacks it into a temporary root and runs what it
# installed there: shelfkey on the installed sample tables, and Cutter
# offscreen until it has loaded its engine library. Checks the desktop entry
# and the metainfo with their validators.
#   package_test.sh BUILD-DIR
set -euo pipefail
build="$1"
work="$(mktemp -d)"
cutter=""
trap '[ -n "$cutter" ] && kill "$cutter" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

(cd "$build" && cpack -B "$work/out" >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; fail "cpack"; }
deb="$(ls "$work"/out/*.deb)"
echo "package: $(basename "$deb")"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "depends: $depends"
for lib in libqt6widgets6 libutf8proc; do
  echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib"
done

root="$work/root"
dpkg -x "$deb" "$root"
usr="$root/usr"
[ -x "$usr/bin/shelfkey" ] || fail "no usr/bin/shelfkey"
[ -L "$usr/bin/Cutter" ] || fail "no usr/bin/Cutter link"

# The installed tool on the installed sample tables.
tables="$usr/share/cutter/tables"
got="$(cd "$tables" && "$usr/bin/shelfkey" cutter "Van Buren, Martin")"
[[ "$got" =~ ^V[0-9]+$ ]] || fail "shelfkey cutter gave '$got'"
got="$(cd "$tables" && "$usr/bin/shelfkey" cutter --table sanborn "Scott")"
[[ "$got" =~ ^S[0-9]+$ ]] || fail "shelfkey cutter --table sanborn gave '$got'"
"$usr/bin/shelfkey" index check "$tables/CUT4FIG.IDX" >/dev/null || fail "index check"
man -l "$usr/share/man/man1/shelfkey.1" >/dev/null 2>&1 || fail "man page"
# A host program builds against the installed header and library.
pc="$(find "$usr/lib" -name shelfkey.pc | head -n 1)"
printf '#include <shelfkey.h>\nint main(void) { char r[26]; return GetCut4FigVB("x", "y", r) == 25 ? 0 : 1; }\n' >"$work/host.c"
cc "$work/host.c" -o "$work/host" $(PKG_CONFIG_PATH="$(dirname "$pc")" pkg-config --cflags --libs shelfkey) || fail "pkg-config build"
LD_LIBRARY_PATH="$(dirname "$(dirname "$pc")")" "$work/host" || fail "the host program"

# The installed program, through its launcher, finds its engine library.
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data" HOME="$work"
"$usr/bin/cutter-launch" >"$work/cutter.log" 2>&1 &
cutter=$!
loaded=""
for _ in $(seq 100); do
  if grep -q "libShelfkey.so" "/proc/$cutter/maps" 2>/dev/null; then loaded=yes; break; fi
  sleep 0.1
done
[ -n "$loaded" ] || { cat "$work/cutter.log"; fail "Cutter did not load libShelfkey.so"; }
grep "libShelfkey" "/proc/$cutter/maps" | head -n 1 | grep -q "$root" || fail "Cutter loaded an engine from outside the package"
[ "$(readlink -f "/proc/$cutter/cwd")" = "$(readlink -f "$tables")" ] || fail "Cutter did not start in the tables folder"
kill "$cutter"
wait "$cutter" 2>/dev/null || true
cutter=""

desktop-file-validate "$usr/share/applications/org.shelfkey.Cutter.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$usr/share/metainfo/org.shelfkey.Cutter.metainfo.xml" >/dev/null || fail "appstreamcli validate"
echo "installed files:"
(cd "$root" && find . -type f -o -type l | sort | sed 's/^\.//')
echo "1 passed, 0 failed"
