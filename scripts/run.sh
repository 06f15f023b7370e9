#!/usr/bin/env bash
# Sets the machine up, builds the program and starts the program under Wine, for one architecture
# (TEVARO_ARCH, scripts/arch.sh). With an X display that is all. Without one it runs under Xvfb
# (1600x1000): it waits for the main window's first paint, saves the window as
# build/<arch>/run/main-window.png and closes the program again. It fails when the window
# has not painted within 60 s, the picture has one colour only, the program exits with a
# nonzero code or is still alive 15 s after it was asked to close.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/arch.sh"
tevaro_choose_arch
tevaro_arch_env "$TEVARO_ARCH"
[ "${1:-}" = "--screenshot" ] || tevaro_arch_line run

export WINEPREFIX="$TEVARO_RUN_PREFIX" WINEARCH="$TEVARO_WINEARCH" WINESERVER="$TEVARO_WINESERVER"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8 LANG=C.UTF-8
wine="$TEVARO_WINE"
wineserver="$TEVARO_WINESERVER"
exe="$TEVARO_BUILD_DIR/app/tevaro.exe"
helper="$TEVARO_BUILD_DIR/tools/tevaro-window.exe"
out="$TEVARO_BUILD_DIR/run"

fail() {
  echo "run: $*" >&2
  exit 1
}

# Under Xvfb: start, wait for the first paint, take the picture, close, check the exit.
screenshot() {
  mkdir -p "$out"
  rm -f "$out/main-window.png"
  "$wine" "$exe" >"$out/tevaro.log" 2>&1 &
  local pid=$!
  local rect
  if ! rect="$("$wine" "$helper" wait 60 2>"$out/helper.log" | tr -d '\r')"; then
    kill "$pid" 2>/dev/null || true
    "$wineserver" -k || true
    fail "the main window did not paint within 60 s ($(cat "$out/helper.log"))"
  fi
  local x y w h
  read -r x y w h <<<"$rect"
  echo "run: main window at $x,$y, ${w}x${h}"
  xwd -root -silent | /usr/bin/convert xwd:- -crop "${w}x${h}+${x}+${y}" +repage "$out/main-window.png"
  local colours
  colours="$(/usr/bin/convert "$out/main-window.png" -format %k info:)"
  "$wine" "$helper" close >>"$out/helper.log" 2>&1 || true
  local waited=0
  while kill -0 "$pid" 2>/dev/null && [ "$waited" -lt 150 ]; do
    sleep 0.1
    waited=$((waited + 1))
  done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    "$wineserver" -k || true
    fail "the program was still running 15 s after WM_CLOSE"
  fi
  local rc=0
  wait "$pid" || rc=$?
  "$wineserver" -k || true
  [ "$rc" -eq 0 ] || fail "the program exited with $rc"
  [ "$colours" -gt 1 ] || fail "the picture has one colour only"
  echo "run: $out/main-window.png ($colours colours)"
}

if [ "${1:-}" = "--screenshot" ]; then
  screenshot
  exit 0
fi

# Only the program and the window helper the screenshot uses: tests and benchmarks wait for
# scripts/test.sh.
bash "$here/scripts/build.sh" tevaro tevaro-window
if [ "$TEVARO_ARCH" = i686 ] && ! tevaro_can_run_32bit; then
  fail "the i686 build cannot run here: $TEVARO_ARCH_WHY (TEVARO_ARCH=x86_64 runs the 64-bit build)"
fi
if [ -n "${DISPLAY:-}" ]; then
  exec "$wine" "$exe"
fi
exec xvfb-run -a -s "-screen 0 1600x1000x24" bash "$0" --screenshot
