#!/usr/bin/env bash
# Sets the machine up, builds everything and runs every test under Wine.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$here/build}"
BUILD_DIR="$BUILD_DIR" bash "$here/scripts/build.sh"
export WINEPREFIX="${TEVARO_WINEPREFIX:-/var/cache/tevaro/wineprefix}"
# Start one wineserver for the whole run so that test programs do not each pay for it.
WINEDEBUG=-all wineserver -p 60 </dev/null >/dev/null 2>&1 || true
cd "$BUILD_DIR"
ctest --output-on-failure -j"$(nproc)"
