#!/usr/bin/env bash
# Installs everything the build and the tests need on a Debian 12 machine, as root.
# Safe to run again: every step checks first and skips what is already done. Both compilers
# are installed (CI builds both architectures); Wine and its prefixes only for the architecture
# TEVARO_ARCH names (scripts/arch.sh), and only when this machine can run its programs.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
source "$here/scripts/arch.sh"

CACHE_DIR="$TEVARO_CACHE"
SRC_DIR="$CACHE_DIR/src"
STAMP_DIR="$CACHE_DIR/stamps"
mkdir -p "$SRC_DIR" "$STAMP_DIR"

log() { echo "setup: $*"; }

need_root() {
  if [ "$(id -u)" != 0 ]; then
    echo "setup: must run as root (apt-get)" >&2
    exit 1
  fi
}

PACKAGES=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix cmake ninja-build
          libz-mingw-w64-dev libstb-dev libsimpleini-dev doctest-dev xvfb xauth dpkg-dev
          fonts-wqy-microhei x11-apps imagemagick)
# Wine for each architecture: wine32 runs the i686 build, wine64 the x86_64 one.
WINE_PACKAGES_i686=(wine wine32:i386)
WINE_PACKAGES_x86_64=(wine wine64)

packages_missing() {
  local p
  for p in "$@"; do
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

# install_packages PACKAGE...: installs those not installed yet.
install_packages() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    rm -f "$STAMP_DIR/apt-updated"
  fi
  add_source_entries
  if packages_missing "$@"; then
    log "installing $*"
    if [ ! -f "$STAMP_DIR/apt-updated" ]; then apt-get update -qq; touch "$STAMP_DIR/apt-updated"; fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null
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

# wine_in PREFIX COMMAND...: runs a Wine command of the chosen architecture in PREFIX,
# headless.
wine_in() {
  local prefix="$1"
  shift
  env -u DISPLAY LC_ALL=C.UTF-8 WINEPREFIX="$prefix" WINEARCH="$TEVARO_WINEARCH" \
    WINESERVER="$TEVARO_WINESERVER" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    "$TEVARO_WINE" "$@"
}

server_in() {
  WINEPREFIX="$1" "$TEVARO_WINESERVER" "${@:2}" || true
}

# make_prefix PREFIX null|x: a new prefix booted headless. The test prefix uses the null
# graphics driver (no display needed); the run prefix keeps the default one (an X display or
# Xvfb). The driver is chosen when the prefix's desktop starts, hence the restart.
make_prefix() {
  local prefix="$1" driver="$2"
  [ -f "$prefix/.ready" ] && return 0
  log "creating the $TEVARO_WINEARCH Wine prefix $prefix"
  rm -rf "$prefix"
  wine_in "$prefix" wineboot -i >/dev/null 2>&1 || true
  server_in "$prefix" -w
  if [ "$driver" = null ]; then
    wine_in "$prefix" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    server_in "$prefix" -k
    server_in "$prefix" -w
  fi
  [ -f "$prefix/system.reg" ] || { echo "setup: Wine could not create $prefix" >&2; exit 1; }
  touch "$prefix/.ready"
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
    wine_in "$prefix" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" \
      /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
  done
  server_in "$prefix" -w
  touch "$prefix/.cjk-fonts"
}

# The chosen architecture's Wine and prefixes, where this machine can run its programs.
setup_wine() {
  if [ "$TEVARO_ARCH" = i686 ] && ! tevaro_can_run_32bit; then
    log "no Wine for i686: $TEVARO_ARCH_WHY; the i686 build is built, not run"
    return 0
  fi
  local packages="WINE_PACKAGES_${TEVARO_ARCH}[@]"
  install_packages "${!packages}"
  make_prefix "$TEVARO_TEST_PREFIX" null
  map_cjk_fonts "$TEVARO_TEST_PREFIX"
  make_prefix "$TEVARO_RUN_PREFIX" x
  map_cjk_fonts "$TEVARO_RUN_PREFIX"
  log "Wine prefixes $TEVARO_TEST_PREFIX and $TEVARO_RUN_PREFIX"
}

need_root
install_packages "${PACKAGES[@]}"
tevaro_choose_arch
tevaro_arch_env "$TEVARO_ARCH"
tevaro_arch_line setup
fetch_source pugixml pugixml
fetch_source libpng1.6 libpng
setup_wine
log "ready (sources in $SRC_DIR)"
