#!/usr/bin/env bash
# Configures and builds one CMake preset: scripts/build.sh debug|release|asan|fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-release}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
