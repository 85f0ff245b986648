#!/usr/bin/env bash
# Installs what building and testing the installer needs, from Debian's packages.
# Idempotent and quiet when everything is already there.
set -euo pipefail

need_i386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_i386=1
fi

packages=(
  cmake make g++ clang libclang-rt-14-dev
  googletest libgtest-dev
  mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine32:i386 wine64 fonts-wine xvfb xauth
  arj
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done

if [ "$need_i386" = 0 ] && [ "${#missing[@]}" = 0 ]; then
  exit 0
fi

if [ "$(id -u)" != 0 ]; then
  sudo_cmd=sudo
  command -v sudo >/dev/null 2>&1 || {
    echo "setup: missing packages (${missing[*]}) and not root; install them with apt-get as root" >&2
    exit 1
  }
else
  sudo_cmd=
fi

echo "setup: installing ${missing[*]:-the i386 architecture} (one-time, a few minutes)..."
log=$(mktemp /tmp/vor-setup.XXXXXX.log)
export DEBIAN_FRONTEND=noninteractive
if [ "$need_i386" = 1 ]; then
  $sudo_cmd dpkg --add-architecture i386
fi
if ! { $sudo_cmd apt-get update -qq && \
       $sudo_cmd apt-get install -y -qq "${missing[@]}"; } >"$log" 2>&1; then
  echo "setup: apt-get failed; see $log" >&2
  tail -n 20 "$log" >&2
  exit 1
fi
rm -f "$log"
echo "setup: done."
