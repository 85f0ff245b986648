#!/usr/bin/env bash
# make demo: builds the demo package and installs it for real with the installer under
# Wine, through tools/try-package.sh. On your display if there is one: you click.
# Otherwise on a virtual display, where vordrive takes the installer through the whole
# installation into the folder the package offers, C:\VOR_DEMO of the demo's Wine prefix
# (build/wineprefix-demo); the installed files are compared with the payload, byte for
# byte, and the pictures of the windows are left in build/demo. Everything it makes
# lies under build/.
#
#   tools/run-demo.sh [--docs]
#
# --docs (make pictures): the run is always on a virtual display, and its pictures
# then replace the README's, docs/installer.png and docs/demo-installation.png.
# It runs the 32-bit program users get: natively, or under qemu's user-mode emulation
# where the kernel cannot run 32-bit programs (tools/win32-mode.sh).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
docs=
case "${1:-}" in
  "") ;;
  --docs) docs=yes; unset DISPLAY ;;
  *) echo "demo: unknown argument $1; usage: run-demo.sh [--docs]" >&2; exit 2 ;;
esac
mode=$(bash tools/win32-mode.sh) || { echo "demo: 32-bit programs cannot run here: ${mode#none: }" >&2; exit 1; }
export VOR_WIN32_MODE=$mode
echo "demo: the 32-bit ZEZADERI.EXE, run $mode"
bash tools/arj/build-arj.sh i686

# The package as a packager lays it out: VOR.INI, the descriptions, ARJ.EXE and six
# real volumes made by Linux arj; the payload they hold is kept for the comparison.
bash tools/make-demo-package.sh build/demo/package build/arj/ARJ.EXE build/demo/payload
try=(bash tools/try-package.sh --label demo --work build/demo)
if [ -n "${DISPLAY:-}" ]; then
  exec "${try[@]}" build/demo/package
fi
"${try[@]}" --expect build/demo/payload build/demo/package || {
  echo "demo: FAILED: the demo package did not install as it should (see above)" >&2
  exit 1
}
if [ -n "$docs" ]; then
  cp build/demo/01-vor-custom-installer.png docs/installer.png
  cp build/demo/installation.png docs/demo-installation.png
  echo "demo: the README's pictures docs/installer.png and docs/demo-installation.png are made anew"
fi
