# Sourced by the scripts: which Windows architecture this machine builds, runs and tests.
#
# TEVARO_ARCH=i686|x86_64|auto (default auto). i686 is the product; x86_64 is the same sources
# for machines whose kernel cannot run 32-bit programs (no wine32 there). auto takes i686 when
# the machine runs a 32-bit program and x86_64 otherwise. Whether it can is decided by running
# one: dpkg installs i386 packages even where none of them can run.

# The 32-bit program that decides: the i386 dynamic loader, which answers --version.
TEVARO_PROBE32="${TEVARO_PROBE32:-/lib/ld-linux.so.2}"
TEVARO_CACHE="${TEVARO_CACHE:-/var/cache/tevaro}"

# tevaro_can_run_32bit: 0 when the 32-bit probe runs; otherwise 1 with the reason in
# TEVARO_ARCH_WHY.
tevaro_can_run_32bit() {
  if [ ! -e "$TEVARO_PROBE32" ]; then
    TEVARO_ARCH_WHY="no 32-bit program to try ($TEVARO_PROBE32 is not installed)"
    return 1
  fi
  local out
  if out=$("$TEVARO_PROBE32" --version 2>&1 </dev/null); then
    TEVARO_ARCH_WHY="this machine runs 32-bit programs ($TEVARO_PROBE32 ran)"
    return 0
  fi
  out=$(printf '%s' "$out" | head -n 1)
  TEVARO_ARCH_WHY="this machine cannot run 32-bit programs ($TEVARO_PROBE32: ${out##*: })"
  return 1
}

# tevaro_install_probe: installs the probe (Debian's libc6:i386) where it is missing and we may
# install packages; a machine that cannot run it gets it all the same, harmlessly.
tevaro_install_probe() {
  [ -e "$TEVARO_PROBE32" ] && return 0
  [ "$(id -u)" = 0 ] && command -v apt-get >/dev/null || return 0
  echo "arch: installing libc6:i386 to find out whether this machine runs 32-bit programs" >&2
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
  fi
  apt-get update -qq >/dev/null 2>&1 || true
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends libc6:i386 \
    >/dev/null 2>&1 || true
}

# tevaro_choose_arch: sets TEVARO_ARCH to i686 or x86_64 and TEVARO_ARCH_WHY to one line
# saying why; fails on a value it does not know.
tevaro_choose_arch() {
  case "${TEVARO_ARCH:-auto}" in
    i686 | x86_64)
      TEVARO_ARCH_WHY="TEVARO_ARCH=$TEVARO_ARCH was given"
      ;;
    auto)
      tevaro_install_probe
      if tevaro_can_run_32bit; then TEVARO_ARCH=i686; else TEVARO_ARCH=x86_64; fi
      TEVARO_ARCH_WHY="auto: $TEVARO_ARCH_WHY"
      ;;
    *)
      echo "arch: TEVARO_ARCH must be i686, x86_64 or auto, not '$TEVARO_ARCH'" >&2
      return 1
      ;;
  esac
  export TEVARO_ARCH
}

# tevaro_runnable_archs: the architectures whose programs this machine runs under Wine.
tevaro_runnable_archs() {
  if tevaro_can_run_32bit; then echo "i686 x86_64"; else echo "x86_64"; fi
}

# tevaro_arch_env ARCH: the per-architecture names every script uses. The build folder
# (build/<arch>, or BUILD_DIR), the test and run prefixes (one pair per architecture, or
# TEVARO_WINEPREFIX and TEVARO_RUN_WINEPREFIX), and the Wine loader
# and server: called by their own paths, because Debian's /usr/bin/wine prefers wine32 and
# fails where it is installed but cannot run.
tevaro_arch_env() {
  local arch="$1" here
  here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  TEVARO_BUILD_DIR="${BUILD_DIR:-$here/build/$arch}"
  case "$arch" in
    i686)
      TEVARO_WINEARCH=win32
      TEVARO_WINE=/usr/lib/wine/wine
      TEVARO_WINESERVER=/usr/lib/wine/wineserver32
      TEVARO_TEST_PREFIX="${TEVARO_WINEPREFIX:-$TEVARO_CACHE/wineprefix}"
      TEVARO_RUN_PREFIX="${TEVARO_RUN_WINEPREFIX:-$TEVARO_CACHE/wineprefix-run}"
      ;;
    x86_64)
      TEVARO_WINEARCH=win64
      TEVARO_WINE=/usr/lib/wine/wine64
      TEVARO_WINESERVER=/usr/lib/wine/wineserver64
      TEVARO_TEST_PREFIX="${TEVARO_WINEPREFIX:-$TEVARO_CACHE/wineprefix-x86_64}"
      TEVARO_RUN_PREFIX="${TEVARO_RUN_WINEPREFIX:-$TEVARO_CACHE/wineprefix-run-x86_64}"
      ;;
    *)
      echo "arch: unknown architecture '$arch'" >&2
      return 1
      ;;
  esac
}

# tevaro_arch_line SCRIPT: the one line each script prints first.
tevaro_arch_line() {
  echo "$1: building for $TEVARO_ARCH ($TEVARO_ARCH_WHY)"
}
