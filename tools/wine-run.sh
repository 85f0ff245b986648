#!/usr/bin/env bash
# Runs a Windows program under one of the project's own Wine prefixes, creating the
# prefix on first use:  wine-run.sh win32|win64 PROGRAM [ARGS...]
# win32 uses build/wineprefix-win32 (a 32-bit prefix), win64 build/wineprefix-win64.
# 32-bit programs run natively where the kernel can run Wine's 32-bit loader, and under
# qemu's user-mode emulation where it cannot (tools/win32-mode.sh decides; a caller may
# pass its answer in VOR_WIN32_MODE). ctest uses this as its emulator.
# VOR_WINE_VERSION=win98 uses a prefix of its own in which Wine answers as Windows 98
# (GetVersion with its high bit set: the 95/98/Me family).
# VOR_WINE_CODEPAGE=932|936|949|950 runs the program as on Japanese, Simplified Chinese,
# Korean or Traditional Chinese Windows, whose ANSI and OEM code pages are double-byte:
# Wine takes them from the Unix locale, which is made once into build/locale (Debian's
# locales data, no system file changed); such a run has a prefix of its own.
set -euo pipefail
arch=${1:?usage: wine-run.sh win32|win64 PROGRAM [ARGS...]}
shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
case "$arch" in
  win32)
    mode=$(bash "$root/tools/win32-mode.sh") || { echo "wine-run: 32-bit programs cannot run here: ${mode#none: }" >&2; exit 125; }
    export VOR_WIN32_MODE=$mode
    if [ "$mode" = emulated ]; then
      # Every 32-bit process, this one and those it starts, runs under qemu-i386; the
      # server is the native 64-bit one.
      loader=(qemu-i386 "$root/build/wine32-emu/lib/wine/wine")
      export WINELOADERNOEXEC=1 WINESERVER=/usr/lib/wine/wineserver64
    else
      loader=(/usr/lib/wine/wine)
    fi ;;
  win64) loader=(/usr/lib/wine/wine64) ;;
  *) echo "wine-run: unknown arch $arch" >&2; exit 2 ;;
esac
export WINEARCH=$arch
version=${VOR_WINE_VERSION:-}
case "$version" in
  "") suffix= ;;
  win98) suffix=-win98 ;;
  *) echo "wine-run: unknown VOR_WINE_VERSION $version" >&2; exit 2 ;;
esac
codepage=${VOR_WINE_CODEPAGE:-}
case "$codepage" in
  "") ;;
  932) locale=ja_JP ;;
  936) locale=zh_CN ;;
  949) locale=ko_KR ;;
  950) locale=zh_TW ;;
  *) echo "wine-run: unknown VOR_WINE_CODEPAGE $codepage (932, 936, 949 or 950)" >&2; exit 2 ;;
esac
if [ -n "$codepage" ]; then
  suffix=$suffix-cp$codepage
  export LOCPATH=$root/build/locale
  if [ ! -d "$LOCPATH/$locale.UTF-8" ]; then
    mkdir -p "$LOCPATH"
    (
      flock 9
      # localedef's status also counts warnings: the made locale is what tells.
      [ -d "$LOCPATH/$locale.UTF-8" ] ||
        localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8" >/dev/null 2>&1 || true
      [ -f "$LOCPATH/$locale.UTF-8/LC_CTYPE" ] ||
        { echo "wine-run: cannot make the locale $locale.UTF-8 (Debian's locales package)" >&2; exit 2; }
    ) 9>"$LOCPATH.lock" || exit 2
  fi
  # For Wine only: this shell has no use for the locale.
  loader=(env "LANG=$locale.UTF-8" "LC_ALL=$locale.UTF-8" "${loader[@]}")
fi
export WINEPREFIX="${VOR_WINEPREFIX:-$root/build/wineprefix-$arch$suffix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      "${loader[@]}" wineboot -i >/dev/null 2>&1 || true
      # Windows that no window manager handles: hiding or destroying a window then
      # does not wait for a window manager that may not be there (Xvfb).
      "${loader[@]}" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
      if [ -n "$version" ]; then
        "${loader[@]}" reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d "$version" /f >/dev/null 2>&1 || true
      fi
      wineserver -w || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi
# Drive T: is a folder of the prefix's own, so tests can use a real drive whose root
# they may fill and empty (an install into a drive root, free space of a drive).
if [ ! -e "$WINEPREFIX/dosdevices/t:" ]; then
  mkdir -p "$WINEPREFIX/test-drive-t"
  ln -sfn ../test-drive-t "$WINEPREFIX/dosdevices/t:" 2>/dev/null || true
fi
exec "${loader[@]}" "$@"
