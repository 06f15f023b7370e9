#!/usr/bin/env bash
# Sets the machine up (idempotent) and builds everything into build/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$here/build}"
bash "$here/scripts/setup.sh"
cmake -S "$here" -B "$BUILD_DIR" -G Ninja -DTEVARO_WERROR=ON >/dev/null
cmake --build "$BUILD_DIR" -- -j"$(nproc)"
