#!/usr/bin/env bash
# Builds everything for one architecture (TEVARO_ARCH, scripts/arch.sh) and runs every
# benchmark program, printing their figures.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/arch.sh"
tevaro_choose_arch
tevaro_arch_env "$TEVARO_ARCH"
tevaro_arch_line bench
bash "$here/scripts/build.sh"
for exe in "$TEVARO_BUILD_DIR"/bench/*/bench_*.exe; do
  [ -e "$exe" ] || continue
  echo "== $(basename "$exe")"
  "$here/scripts/wine-run.sh" "$exe"
done
