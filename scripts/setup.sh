#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine, as root.
# Safe to run again: every step checks first and skips what is already done.
set -euo pipefail

CACHE_DIR="${TEVARO_CACHE:-/var/cache/tevaro}"
SRC_DIR="$CACHE_DIR/src"
PREFIX_DIR="${TEVARO_WINEPREFIX:-$CACHE_DIR/wineprefix}"
# The prefix scripts/run.sh starts the program in: a real graphics driver (an X display or
# Xvfb), unlike the test prefix's null driver.
RUN_PREFIX_DIR="${TEVARO_RUN_WINEPREFIX:-$CACHE_DIR/wineprefix-run}"
STAMP_DIR="$CACHE_DIR/stamps"
mkdir -p "$SRC_DIR" "$STAMP_DIR"

log() { echo "setup: $*"; }

need_root() {
  if [ "$(id -u)" != 0 ]; then
    echo "setup: must run as root (apt-get)" >&2
    exit 1
  fi
}

PACKAGES=(g++-mingw-w64-i686-posix wine wine32:i386 cmake ninja-build libz-mingw-w64-dev
          libstb-dev libsimpleini-dev doctest-dev xvfb xauth dpkg-dev fonts-wqy-microhei
          x11-apps imagemagick)

packages_missing() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || return 0
  done
  return 1
}

add_source_entries() {
  # deb-src entries for the two source packages built by our CMake.
  local f=/etc/apt/sources.list.d/tevaro-src.sources
  [ -f "$f" ] && return 0
  cat > "$f" <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  rm -f "$STAMP_DIR/apt-updated"
}

install_packages() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    rm -f "$STAMP_DIR/apt-updated"
  fi
  add_source_entries
  if packages_missing; then
    log "installing packages"
    apt-get update -qq
    touch "$STAMP_DIR/apt-updated"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${PACKAGES[@]}" >/dev/null
  fi
}

# Fetch one source package (pinned to the bookworm main version, whose source the mirror serves)
# and unpack it once into $SRC_DIR/<name>.
fetch_source() {
  local pkg="$1" dir="$2"
  [ -f "$SRC_DIR/$dir/.unpacked" ] && return 0
  if [ ! -f "$STAMP_DIR/apt-updated" ]; then apt-get update -qq; touch "$STAMP_DIR/apt-updated"; fi
  local ver
  ver=$(apt-cache showsrc "$pkg" | awk '/^Version:/{print $2}' | sort -V | head -n1)
  [ -n "$ver" ] || { echo "setup: no source for $pkg" >&2; exit 1; }
  log "fetching source $pkg=$ver"
  local work="$SRC_DIR/.dl-$pkg"
  rm -rf "$work" && mkdir -p "$work"
  (cd "$work" && apt-get source --download-only -qq "$pkg=$ver" >/dev/null)
  local dsc
  dsc=$(ls "$work"/*.dsc | head -n1)
  rm -rf "$SRC_DIR/$dir"
  (cd "$work" && dpkg-source --no-check -x "$dsc" "$SRC_DIR/$dir" >/dev/null)
  touch "$SRC_DIR/$dir/.unpacked"
  rm -rf "$work"
}

make_prefix() {
  [ -f "$PREFIX_DIR/.ready" ] && return 0
  log "creating the Wine prefix $PREFIX_DIR"
  rm -rf "$PREFIX_DIR"
  export WINEPREFIX="$PREFIX_DIR" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  env -u DISPLAY wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  env -u DISPLAY wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
  wineserver -k || true
  wineserver -w || true
  touch "$PREFIX_DIR/.ready"
}

# The run prefix boots headless like the test prefix but keeps the default graphics driver.
make_run_prefix() {
  [ -f "$RUN_PREFIX_DIR/.ready" ] && return 0
  log "creating the Wine prefix $RUN_PREFIX_DIR"
  rm -rf "$RUN_PREFIX_DIR"
  export WINEPREFIX="$RUN_PREFIX_DIR" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  env -u DISPLAY wineboot -i >/dev/null 2>&1 || true
  wineserver -w || true
  touch "$RUN_PREFIX_DIR/.ready"
}

# The program's default face is "宋体", absent from a Wine prefix: map it (and its English name)
# to the installed CJK font, so Chinese texts render and font tests see a real face. Wine reads
# the names as UTF-8 only under a UTF-8 locale.
map_cjk_fonts() {
  local prefix="$1"
  [ -f "$prefix/.cjk-fonts" ] && return 0
  log "mapping 宋体 and SimSun to WenQuanYi Micro Hei in $prefix"
  local face
  for face in 宋体 SimSun; do
    env -u DISPLAY LC_ALL=C.UTF-8 WINEPREFIX="$prefix" WINEARCH=win32 WINEDEBUG=-all \
      wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f \
      >/dev/null 2>&1
  done
  touch "$prefix/.cjk-fonts"
}

need_root
install_packages
fetch_source pugixml pugixml
fetch_source libpng1.6 libpng
make_prefix
map_cjk_fonts "$PREFIX_DIR"
make_run_prefix
map_cjk_fonts "$RUN_PREFIX_DIR"
log "ready (sources in $SRC_DIR, prefixes $PREFIX_DIR and $RUN_PREFIX_DIR)"
