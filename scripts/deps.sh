#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, only those
# that are missing. Safe to run again. Needs root (or sudo).
#   scripts/deps.sh [build] [screenshot]    (default: build)
set -euo pipefail

declare -A groups=(
  [build]="cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
           libgtest-dev libgmock-dev libbenchmark-dev
           libutf8proc-dev qt6-base-dev qt6-svg-dev
           dpkg-dev desktop-file-utils appstream man-db"
  [screenshot]="xvfb xauth xdotool imagemagick x11-utils"
  [windows]="g++-mingw-w64-i686 binutils-mingw-w64-i686 mingw-w64-i686-dev
             g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
             googletest wine wine32:i386 wine64"
)

wanted=()
for group in "${@:-build}"; do
  if [ -z "${groups[$group]+set}" ]; then
    echo "deps.sh: unknown group '$group' (known: ${!groups[*]})" >&2
    exit 64
  fi
  read -r -a list <<<"$(echo ${groups[$group]})"
  wanted+=("${list[@]}")
done

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
# 32-bit Wine comes from Debian's i386 packages.
if printf '%s\n' "${missing[@]}" | grep -q ':i386$' && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
