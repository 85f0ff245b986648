#!/usr/bin/env bash
# Builds the installer and starts it on the demo package, under Wine: on your display
# if there is one, otherwise on a virtual display (a screenshot is saved then). It runs
# the 32-bit program users get: natively, or under qemu's user-mode emulation where the
# kernel cannot run 32-bit programs (tools/win32-mode.sh).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
quiet=(-DCMAKE_RULE_MESSAGES=OFF --log-level=WARNING -Wno-dev)
mode=$(bash tools/win32-mode.sh) || { echo "demo: 32-bit programs cannot run here: ${mode#none: }" >&2; exit 1; }
export VOR_WIN32_MODE=$mode
echo "demo: the 32-bit ZEZADERI.EXE, run $mode"
bash tools/arj/build-arj.sh i686
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release "${quiet[@]}" >/dev/null
cmake --build build/win32 -j 2 --target ZEZADERI -- --no-print-directory >/dev/null

# The package as a packager lays it out: VOR.INI, the descriptions, ARJ.EXE and six
# real volumes made by Linux arj.
pkg=build/demo/package
bash tools/make-demo-package.sh "$pkg" build/arj/ARJ.EXE

start="cd $pkg && ../../../tools/wine-run.sh win32 ../../win32/ZEZADERI.EXE"

if [ -n "${DISPLAY:-}" ]; then
  echo "demo: starting the installer in $pkg"
  bash -c "$start"
else
  seconds=${DEMO_SECONDS:-8}
  [ "$mode" = native ] || seconds=${DEMO_SECONDS:-15}
  echo "demo: no display; running on a virtual one for $seconds s"
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
    ($start) & sleep $seconds
    if command -v import >/dev/null; then
      import -window root build/demo/screenshot.png && echo 'demo: screenshot in build/demo/screenshot.png'
    fi
    WINEPREFIX=$PWD/build/wineprefix-win32 wineserver -k" || true
fi
