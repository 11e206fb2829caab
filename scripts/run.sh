#!/usr/bin/env bash
# Installs what is missing, builds the release preset and runs the main job:
# Cutter numbers for a few headings from the sample tables.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh release
cd build/release/tables
shelfkey=../bin/shelfkey
headings=("Van Buren, Martin" "McDonald, Ann" "Smith, John" "Scott, Walter" "Adams, Douglas"
          "Le Carré, John" "1984" "Ødegaard, Martin")
echo "Sample tables (invented, not the published tables): $(pwd)"
printf '%-24s %-12s %-10s %s\n' "Heading" "Cutter" "Sanborn" "Filing key"
for h in "${headings[@]}"; do
  printf '%-24s %-12s %-10s %s\n' "$h" "$($shelfkey cutter "$h")" \
    "$($shelfkey cutter --table sanborn "$h")" "$($shelfkey key "$h")"
done
