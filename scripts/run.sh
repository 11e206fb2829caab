#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts Cutter in
# the folder that holds the sample tables.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh release
cd build/release/tables
echo "Starting Cutter with the sample tables (invented, not the published tables) in $(pwd)"
exec ../bin/Cutter
