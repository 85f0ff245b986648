#!/usr/bin/env bash
# How this machine runs 32-bit Windows programs under Wine. Prints the answer on one line:
#   native      the kernel runs Wine's 32-bit loader itself (exit status 0)
#   emulated    Wine's 32-bit loader runs under qemu's user-mode emulation (exit status 0)
#   none: WHY   they cannot run here (exit status 1)
# VOR_WIN32_MODE=native or emulated takes that way without asking the machine, so the
# emulation can be tried where the kernel would run the loader itself.
#
# The emulation: Wine starts every new 32-bit process as <bindir>/wine-preloader
# <bindir>/wine ARGS, <bindir> being the folder of the loader file it runs from. A
# private folder (build/wine32-emu) holds copies of the loaders and a wine-preloader
# that hands the process to qemu-i386; links beside it lead Wine to its libraries and
# data. tools/wine-run.sh starts programs from there. No system file is changed.
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
emu=$root/build/wine32-emu

native_works() { [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Debian 12's own qemu-user (7.2) ignores MAP_FIXED_NOREPLACE and Wine fails to map its
# shared data; the backports' 10.0 works.
emulation_problem() {
  [ -x /usr/lib/wine/wine ] || { echo "Wine's 32-bit loader (wine32:i386) is not installed"; return; }
  command -v qemu-i386 >/dev/null 2>&1 ||
    { echo "Wine's 32-bit loader cannot start natively and qemu-i386 (qemu-user from the backports) is not installed"; return; }
  local major
  major=$(qemu-i386 --version 2>/dev/null | sed -n '1s/.*version \([0-9]*\)\..*/\1/p')
  [ "${major:-0}" -ge 10 ] ||
    echo "Wine's 32-bit loader cannot start natively and qemu-i386 ${major:-?}.x cannot run it (version 10 or later is needed)"
}

make_emulation_folder() {
  [ -x "$emu/lib/wine/wine-preloader" ] && cmp -s /usr/lib/wine/wine "$emu/lib/wine/wine" && return 0
  rm -rf "$emu" && mkdir -p "$emu/lib/wine" "$emu/share" || return 1
  # Copies, not links: Wine takes <bindir> from the loader file's own path.
  cp /usr/lib/wine/wine /usr/lib/wine/wine64 "$emu/lib/wine/" || return 1
  printf '#!/bin/sh\nexec qemu-i386 "$@"\n' >"$emu/lib/wine/wine-preloader"
  chmod +x "$emu/lib/wine/wine-preloader"
  ln -s /usr/lib/i386-linux-gnu "$emu/lib/i386-linux-gnu"
  ln -s /usr/lib/x86_64-linux-gnu "$emu/lib/x86_64-linux-gnu"
  ln -s /usr/share/wine "$emu/share/wine"
}

mode=${VOR_WIN32_MODE:-}
case "$mode" in
  native|emulated) ;;
  "") if native_works; then mode=native; else mode=emulated; fi ;;
  *) echo "none: unknown VOR_WIN32_MODE $mode (native or emulated)"; exit 1 ;;
esac
if [ "$mode" = emulated ]; then
  why=$(emulation_problem)
  [ -z "$why" ] || { echo "none: $why"; exit 1; }
  mkdir -p "$root/build"
  ( flock 9; make_emulation_folder ) 9>"$root/build/wine32-emu.lock" ||
    { echo "none: cannot make $emu"; exit 1; }
fi
echo "$mode"
