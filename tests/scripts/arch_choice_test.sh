#!/usr/bin/env bash
# How scripts/arch.sh chooses the architecture: a probe that fails with "Exec format error"
# (a machine without 32-bit emulation) gives x86_64, one that runs gives i686, a missing probe
# gives x86_64, an explicit choice is kept whatever the probe says, and an unknown one fails.
set -u
arch_sh="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0

# A file the kernel cannot execute: the shell reports "Exec format error" for it, exactly as for
# a 32-bit program where 32-bit emulation is off.
printf '\177ELF\002\001\001\000garbage' >"$work/unrunnable"
head -c 200 /dev/urandom >>"$work/unrunnable"
chmod +x "$work/unrunnable"
printf '#!/bin/sh\necho "ld.so (stand-in) stable release version 2.36"\n' >"$work/runnable"
chmod +x "$work/runnable"

# choose GIVEN PROBE: prints "<arch>|<why>" or "error" as tevaro_choose_arch leaves them.
choose() {
  (
    export TEVARO_ARCH="$1" TEVARO_PROBE32="$2"
    # shellcheck source=/dev/null
    source "$arch_sh"
    # The stand-ins decide; never install the real probe from a test.
    tevaro_install_probe() { :; }
    if tevaro_choose_arch 2>/dev/null; then echo "$TEVARO_ARCH|$TEVARO_ARCH_WHY"; else echo error; fi
  )
}

expect() {
  local name="$1" got="$2" arch="$3" why="$4"
  if [[ "$got" == "$arch|"*"$why"* || ( "$arch" == error && "$got" == error ) ]]; then
    echo "ok: $name -> $got"
  else
    echo "FAILED: $name: got '$got', expected $arch with '$why'"
    failures=$((failures + 1))
  fi
}

expect "auto, probe fails to execute" "$(choose auto "$work/unrunnable")" x86_64 "Exec format error"
expect "auto, probe runs" "$(choose auto "$work/runnable")" i686 "runs 32-bit programs"
expect "auto, no probe installed" "$(choose auto "$work/missing")" x86_64 "not installed"
expect "empty means auto" "$(choose "" "$work/runnable")" i686 "auto:"
expect "i686 forced where it cannot run" "$(choose i686 "$work/unrunnable")" i686 "was given"
expect "x86_64 forced where i686 runs" "$(choose x86_64 "$work/runnable")" x86_64 "was given"
expect "unknown value" "$(choose arm64 "$work/runnable")" error ""

# The architectures a machine tests: both where 32-bit programs run, else 64-bit only.
runnable() { (TEVARO_PROBE32="$1" && source "$arch_sh" && tevaro_runnable_archs); }
[ "$(runnable "$work/runnable")" = "i686 x86_64" ] || { echo "FAILED: runnable (runs)"; failures=$((failures + 1)); }
[ "$(runnable "$work/unrunnable")" = "x86_64" ] || { echo "FAILED: runnable (cannot)"; failures=$((failures + 1)); }

echo "$failures failure(s)"
[ "$failures" -eq 0 ]
