#!/usr/bin/env bash
# Sets the machine up, builds everything for one architecture (TEVARO_ARCH, scripts/arch.sh)
# and runs every test under that architecture's Wine.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/arch.sh"
tevaro_choose_arch
tevaro_arch_env "$TEVARO_ARCH"
tevaro_arch_line test
bash "$here/scripts/build.sh"
if [ "$TEVARO_ARCH" = i686 ] && ! tevaro_can_run_32bit; then
  echo "test: the i686 build cannot run here: $TEVARO_ARCH_WHY (TEVARO_ARCH=x86_64 tests the 64-bit build)" >&2
  exit 1
fi
export WINEPREFIX="$TEVARO_TEST_PREFIX" WINESERVER="$TEVARO_WINESERVER"
# Start one wineserver for the whole run so that test programs do not each pay for it.
WINEDEBUG=-all "$TEVARO_WINESERVER" -p 60 </dev/null >/dev/null 2>&1 || true
cd "$TEVARO_BUILD_DIR"
ctest --output-on-failure -j"$(nproc)"
