#!/usr/bin/env bash
# Builds the installer and starts it on the demo package, under Wine: on your display
# if there is one, otherwise on a virtual display (a screenshot is saved then).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
quiet=(-DCMAKE_RULE_MESSAGES=OFF --log-level=WARNING -Wno-dev)
if bash tools/can-run-win32.sh; then
  arch=win32; toolchain=cmake/mingw-i686.cmake
else
  arch=win64; toolchain=cmake/mingw-x86_64.cmake
  echo "demo: this machine cannot run 32-bit programs; showing the 64-bit build of the same sources"
fi
cmake -S . -B "build/$arch" -DCMAKE_TOOLCHAIN_FILE=$toolchain -DCMAKE_BUILD_TYPE=Release "${quiet[@]}" >/dev/null
cmake --build "build/$arch" -j 2 --target ZEZADERI standin -- --no-print-directory >/dev/null

pkg=build/demo/package
rm -rf "$pkg"; mkdir -p "$pkg"
cp demo/VOR.INI demo/VOR.nfo demo/file_id.diz demo/ARJ.script "$pkg/"
cp "build/$arch/standin.exe" "$pkg/ARJ.exe"
# The transcript was recorded with the volumes in a scratch folder; show bare names.
sed "s#/tmp/arjfix/disks/##" tests/fixtures/arj-extract.log > "$pkg/arj-output.log"
for v in arj a01 a02 a03 a04 a05; do : > "$pkg/vorpkg.$v"; done

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
