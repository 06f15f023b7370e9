#!/usr/bin/env bash
# Runs a Windows executable under Wine in the project's test prefix: headless (null graphics
# driver), quiet, with a fixed locale so that code-page dependent results do not vary.
export WINEPREFIX="${TEVARO_WINEPREFIX:-/var/cache/tevaro/wineprefix}"
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset DISPLAY
# The first Wine program of a session starts Wine's own services (services.exe, winedevice.exe,
# ...), and they inherit its standard output. Were that a pipe, whoever reads it (ctest) would
# wait for those services to end long after the program itself has ended. So the program writes
# to a file, and only this script writes to our own standard output.
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
wine "$@" >"$out" 2>&1
rc=$?
cat "$out"
exit "$rc"
