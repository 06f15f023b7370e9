#!/usr/bin/env bash
# Runs a Windows executable under Wine in the project's test prefix: headless (null graphics
# driver), quiet, with a fixed locale so that code-page dependent results do not vary.
export WINEPREFIX="${TEVARO_WINEPREFIX:-/var/cache/tevaro/wineprefix}"
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8 LANG=C.UTF-8
unset DISPLAY
exec wine "$@"
