#!/usr/bin/env bash
# Builds and runs every test: the portable logic natively (with AddressSanitizer and
# UBSan), the fuzz targets for a short while, and the Win32 tests under Wine on a
# virtual display. Win32 tests run on the 32-bit build where this machine can run
# 32-bit programs, and on a 64-bit build of the same sources where it cannot.
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
jobs=${JOBS:-2}
quiet=(-DCMAKE_RULE_MESSAGES=OFF --log-level=WARNING -Wno-dev)
failed=()

step() { printf '\n== %s\n' "$*"; }

configure_build() {  # dir, then cmake arguments
  local dir=$1; shift
  cmake -S . -B "$dir" "${quiet[@]}" "$@" >/dev/null || return 1
  cmake --build "$dir" -j "$jobs" -- --no-print-directory >/dev/null || \
    cmake --build "$dir" -j 1 -- --no-print-directory  # show the error
}

step "native unit tests (ASan, UBSan)"
if configure_build build/native -DCMAKE_BUILD_TYPE=Debug; then
  (cd build/native && ctest -j "$jobs" --output-on-failure) || failed+=(native)
else
  failed+=(native-build)
fi

step "fuzz targets (${VOR_FUZZ_SECONDS:-10} s each)"
if configure_build build/fuzz -DVOR_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
     -DVOR_FUZZ_SECONDS="${VOR_FUZZ_SECONDS:-10}"; then
  (cd build/fuzz && ctest -j "$jobs" --output-on-failure) || failed+=(fuzz)
else
  failed+=(fuzz-build)
fi

step "32-bit installer build"
configure_build build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release \
  || failed+=(win32-build)

if bash tools/can-run-win32.sh; then
  arch=win32
else
  arch=win64
  # The 32-bit program's checks that need no Wine.
  (cd build/win32 && ctest -R 'imports' --output-on-failure) || failed+=(win32-imports)
  step "64-bit build for the Win32 tests (this machine cannot run 32-bit programs)"
  configure_build build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
    || failed+=(win64-build)
fi

# The real decompressor for the end-to-end tests and the demo: ARJ.EXE built from
# Debian's arj source (a test tool; the installer never ships it). Without one that
# runs here, its tests are skipped, and said so.
step "ARJ.EXE from Debian's arj source (tools/arj)"
skipped=
bash tools/arj/build-arj.sh i686 || failed+=(arj-build)
if [ "$arch" = win64 ] && ! bash tools/arj/build-arj.sh x86_64; then
  skipped="this machine cannot run 32-bit programs and the 64-bit ARJ.EXE did not build (build/arj-build.log)"
elif [ "$arch" = win32 ] && [ ! -f build/arj/ARJ.EXE ]; then
  skipped="build/arj/ARJ.EXE did not build (build/arj-build.log)"
fi
[ -z "$skipped" ] || echo "SKIPPED: the real-decompressor tests (e2e.RealArj, e2e.Demo): $skipped"

step "Win32 tests under Wine ($arch)"
if [ -f "build/$arch/CTestTestfile.cmake" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
      tools/wine-run.sh $arch cmd /c exit 0 >/dev/null 2>&1   # makes the prefix on first use
      # A suite that fails is run once more: GUI timing under Wine on a loaded machine
      # is not fully deterministic. A real fault fails both runs.
      cd build/$arch && ctest --output-on-failure --timeout 300 --repeat until-pass:2" || failed+=("$arch")
  WINEPREFIX="$PWD/build/wineprefix-$arch" wineserver -k >/dev/null 2>&1 || true
fi

echo
[ -z "$skipped" ] || echo "SKIPPED: the real-decompressor tests: $skipped"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All tests passed."
