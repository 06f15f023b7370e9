#!/usr/bin/env bash
# Builds everything and runs every benchmark program, printing their figures.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$here/build}"
BUILD_DIR="$BUILD_DIR" bash "$here/scripts/build.sh"
for exe in "$BUILD_DIR"/bench/*/bench_*.exe; do
  [ -e "$exe" ] || continue
  echo "== $(basename "$exe")"
  "$here/scripts/wine-run.sh" "$exe"
done
