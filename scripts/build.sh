#!/usr/bin/env bash
# Sets the machine up (idempotent) and builds one architecture (TEVARO_ARCH, scripts/arch.sh)
# into build/<arch>/: everything, or only the targets named as arguments (with what they link).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/arch.sh"
bash "$here/scripts/setup.sh"
tevaro_choose_arch
tevaro_arch_env "$TEVARO_ARCH"
tevaro_arch_line build
cmake -S "$here" -B "$TEVARO_BUILD_DIR" -G Ninja -DTEVARO_ARCH="$TEVARO_ARCH" -DTEVARO_WERROR=ON \
  >/dev/null
if [ "$#" -gt 0 ]; then
  cmake --build "$TEVARO_BUILD_DIR" --target "$@" -- -j"$(nproc)"
else
  cmake --build "$TEVARO_BUILD_DIR" -- -j"$(nproc)"
fi
