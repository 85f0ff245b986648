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
  wine wine32:i386 wine64 fonts-wine fonts-ipafont-gothic xvfb xauth
  arj autoconf dpkg-dev imagemagick locales
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
  [ "$status" = "installed" ] || missing+=("$p")
done

# The tests' ARJ.EXE is built from Debian's arj source (tools/arj/build-arj.sh), which
# `apt-get source` fetches: that needs a deb-src entry for this machine's own suite.
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
srcfile=/etc/apt/sources.list.d/vor-deb-src.sources
need_src=0
if [ -n "$suite" ] && ! apt-get indextargets --no-release-info --format '$(RELEASE)' \
       'Created-By: Sources' 2>/dev/null | grep -qx "$suite"; then
  need_src=1
fi
need_update=$need_src
if [ "$need_src" = 0 ] && ! apt-cache showsrc arj 2>/dev/null | grep -q '^Package: arj$'; then
  need_update=1   # an entry that has not been fetched yet
fi

# Where the kernel cannot run 32-bit programs, Wine's 32-bit loader runs under qemu's
# user-mode emulation (tools/win32-mode.sh): qemu-user from the suite's backports, since
# Debian 12's own 7.2 cannot run Wine. Known only once wine32 is installed.
need_qemu() {
  [ -x /usr/lib/wine/wine ] && ! bash "$(dirname "${BASH_SOURCE[0]}")/win32-mode.sh" >/dev/null
}

if [ "$need_i386" = 0 ] && [ "${#missing[@]}" = 0 ] && [ "$need_update" = 0 ] && ! need_qemu; then
  exit 0
fi

if [ "$(id -u)" != 0 ]; then
  sudo_cmd=sudo
  command -v sudo >/dev/null 2>&1 || {
    echo "setup: apt-get needed (missing packages: ${missing[*]:-none}; deb-src entry for $suite:" \
         "$([ "$need_update" = 1 ] && echo missing or not fetched || echo there)) and not root;" \
         "run make deps as root" >&2
    exit 1
  }
else
  sudo_cmd=
fi

log=$(mktemp /tmp/vor-setup.XXXXXX.log)
export DEBIAN_FRONTEND=noninteractive
if [ "$need_src" = 1 ]; then
  # The sources come from the archive this machine already takes the suite's packages from.
  archive=$(apt-get indextargets --no-release-info --format '$(REPO_URI)' 'Created-By: Packages' \
              "Release: $suite" 'Component: main' 2>/dev/null | head -n 1)
  if [ -z "$archive" ]; then
    echo "setup: no archive for $suite is configured; add a deb-src entry for it by hand" >&2
    exit 1
  fi
  echo "setup: adding Debian source packages for $suite ($srcfile)"
  printf '%s\n' 'Types: deb-src' "URIs: $archive" "Suites: $suite" \
    'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
    $sudo_cmd tee "$srcfile" >/dev/null
fi
if [ "$need_i386" = 1 ]; then
  $sudo_cmd dpkg --add-architecture i386
fi
if [ "${#missing[@]}" -gt 0 ] || [ "$need_i386" = 1 ]; then
  echo "setup: installing ${missing[*]:-the i386 architecture} (one-time, a few minutes)..."
fi
if ! { $sudo_cmd apt-get update -qq && \
       { [ "${#missing[@]}" = 0 ] || $sudo_cmd apt-get install -y -qq "${missing[@]}"; }; } >"$log" 2>&1; then
  echo "setup: apt-get failed; see $log" >&2
  tail -n 20 "$log" >&2
  exit 1
fi
if need_qemu; then
  backports=/etc/apt/sources.list.d/vor-backports.sources
  echo "setup: installing qemu-user from $suite-backports: Wine's 32-bit loader runs under its emulation here..."
  if ! apt-get indextargets --no-release-info --format '$(RELEASE)' 'Created-By: Packages' 2>/dev/null |
       grep -qx "$suite-backports"; then
    archive=$(apt-get indextargets --no-release-info --format '$(REPO_URI)' 'Created-By: Packages' \
                "Release: $suite" 'Component: main' 2>/dev/null | head -n 1)
    if [ -z "$archive" ]; then
      echo "setup: no archive for $suite is configured; add $suite-backports by hand" >&2
      exit 1
    fi
    printf '%s\n' 'Types: deb' "URIs: $archive" "Suites: $suite-backports" \
      'Components: main' 'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' |
      $sudo_cmd tee "$backports" >/dev/null
  fi
  if ! { $sudo_cmd apt-get update -qq && \
         $sudo_cmd apt-get install -y -qq --no-install-recommends -t "$suite-backports" qemu-user; } >"$log" 2>&1; then
    # Not fatal: make test then builds everything and says the 32-bit programs did not run.
    echo "setup: qemu-user from $suite-backports could not be installed; see $log" >&2
    tail -n 5 "$log" >&2
  fi
fi
rm -f "$log"
echo "setup: done."
