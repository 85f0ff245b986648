#!/usr/bin/env bash
# Builds the installer and starts it on the demo package, under Wine: on your display
# if there is one, otherwise on a virtual display (a screenshot is saved then).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
quiet=(-DCMAKE_RULE_MESSAGES=OFF --log-level=WARNING -Wno-dev)
if bash tools/can-run-win32.sh; then
  arch=win32; toolchain=cmake/mingw-i686.cmake; arj=build/arj/ARJ.EXE
  bash tools/arj/build-arj.sh i686
else
  arch=win64; toolchain=cmake/mingw-x86_64.cmake; arj=build/arj64/ARJ.EXE
  echo "demo: this machine cannot run 32-bit programs; showing the 64-bit builds of the same sources"
  bash tools/arj/build-arj.sh i686 x86_64
fi
cmake -S . -B "build/$arch" -DCMAKE_TOOLCHAIN_FILE=$toolchain -DCMAKE_BUILD_TYPE=Release "${quiet[@]}" >/dev/null
cmake --build "build/$arch" -j 2 --target ZEZADERI -- --no-print-directory >/dev/null

# The package as a packager lays it out: VOR.INI, the descriptions, ARJ.EXE and six
# real volumes made by Linux arj.
pkg=build/demo/package
bash tools/make-demo-package.sh "$pkg" "$arj"

start="cd $pkg && ../../../tools/wine-run.sh $arch ../../$arch/ZEZADERI.EXE"

if [ -n "${DISPLAY:-}" ]; then
  echo "demo: starting the installer in $pkg"
  bash -c "$start"
else
  seconds=${DEMO_SECONDS:-8}
  echo "demo: no display; running on a virtual one for $seconds s"
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c "
    ($start) & sleep $seconds
    if command -v import >/dev/null; then
      import -window root build/demo/screenshot.png && echo 'demo: screenshot in build/demo/screenshot.png'
    fi
    WINEPREFIX=$PWD/build/wineprefix-$arch wineserver -k" || true
fi
