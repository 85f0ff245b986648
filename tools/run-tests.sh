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

step "32-bit installer build, its import audit and size"
# A tree configured before the product had a toolchain of its own is made anew.
if grep -qs 'mingw32-gcc-ar-posix' build/win32/CMakeCache.txt; then rm -rf build/win32; fi
# The product, built with the win32 thread model; its audit needs no Wine.
if configure_build build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release; then
  (cd build/win32 && ctest --output-on-failure) || failed+=(win32-audit)
  printf 'build/win32/ZEZADERI.EXE: %s bytes\n' "$(stat -c %s build/win32/ZEZADERI.EXE)"
else
  failed+=(win32-build)
fi

if bash tools/can-run-win32.sh; then
  arch=win32
  tests=build/win32-tests
  # The test programs need the posix compilers; the end-to-end tests start the product.
  step "32-bit test programs"
  configure_build $tests -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-posix.cmake -DCMAKE_BUILD_TYPE=Release \
    -DVOR_PRODUCT_DIR="$PWD/build/win32" || failed+=(win32-tests-build)
else
  arch=win64
  tests=build/win64
  step "64-bit build for the Win32 tests (this machine cannot run 32-bit programs)"
  configure_build $tests -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
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
if [ -f "$tests/CTestTestfile.cmake" ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "
      tools/wine-run.sh $arch cmd /c exit 0 >/dev/null 2>&1   # makes the prefixes on first use
      VOR_WINE_VERSION=win98 tools/wine-run.sh $arch cmd /c exit 0 >/dev/null 2>&1
      # A suite that fails is run once more: GUI timing under Wine on a loaded machine
      # is not fully deterministic. A real fault fails both runs.
      cd $tests && ctest --output-on-failure --timeout 300 --repeat until-pass:2" || failed+=("$arch")
  for prefix in "build/wineprefix-$arch" "build/wineprefix-$arch-win98"; do
    WINEPREFIX="$PWD/$prefix" wineserver -k >/dev/null 2>&1 || true
  done
fi

echo
[ -z "$skipped" ] || echo "SKIPPED: the real-decompressor tests: $skipped"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All tests passed."
