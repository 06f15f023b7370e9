#!/usr/bin/env bash
# Runs a Windows executable under Wine in the project's test prefix of its architecture
# (TEVARO_ARCH, scripts/arch.sh; the build's test rules pass it): headless (null graphics
# driver), quiet, with a fixed locale so that code-page dependent results do not vary.
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/arch.sh"
given="${TEVARO_ARCH:-}"
tevaro_choose_arch || exit 2
tevaro_arch_env "$TEVARO_ARCH" || exit 2
[ "$given" = "$TEVARO_ARCH" ] || tevaro_arch_line wine-run >&2
export WINEPREFIX="$TEVARO_TEST_PREFIX" WINEARCH="$TEVARO_WINEARCH" WINESERVER="$TEVARO_WINESERVER"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset DISPLAY
# The first Wine program of a session starts Wine's own services (services.exe, winedevice.exe,
# ...), and they inherit its standard output. Were that a pipe, whoever reads it (ctest) would
# wait for those services to end long after the program itself has ended. So the program writes
# to a file, and only this script writes to our own standard output.
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
"$TEVARO_WINE" "$@" >"$out" 2>&1
rc=$?
cat "$out"
exit "$rc"
