#!/usr/bin/env bash
# Builds and runs every test: the portable logic natively (with AddressSanitizer and
# UBSan), the fuzz targets for a short while, the 32-bit programs' import audits and
# size, a compile-and-link check of the 64-bit product, and the Win32 tests on the
# 32-bit programs under Wine on a virtual display: natively where the kernel runs 32-bit
# programs, under qemu's user-mode emulation where it does not (tools/win32-mode.sh).
# Ends with one line that counts the tests: "tests: N passed, N failed[, N skipped]".
set -uo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
jobs=${JOBS:-2}
quiet=(-DCMAKE_RULE_MESSAGES=OFF --log-level=WARNING -Wno-dev --no-warn-unused-cli)
failed=()
skipped=()
passed_count=0 failed_count=0 skipped_count=0
logs=$(mktemp -d /tmp/vor-tests.XXXXXX)
trap 'rm -rf "$logs"' EXIT

step_start=$SECONDS
step() {
  [ -z "${step_name:-}" ] || printf -- '-- %s: %d s\n' "$step_name" $((SECONDS - step_start))
  step_name=$*; step_start=$SECONDS
  [ -z "$step_name" ] || printf '\n== %s\n' "$step_name"
}

configure_build() {  # dir, then cmake arguments (and --target T to build only T)
  local dir=$1; shift
  local args=() targets=()
  while [ $# -gt 0 ]; do
    if [ "$1" = --target ]; then targets+=(--target "$2"); shift 2; else args+=("$1"); shift; fi
  done
  cmake -S . -B "$dir" "${quiet[@]}" "${args[@]}" >/dev/null || return 1
  cmake --build "$dir" -j "$jobs" "${targets[@]}" -- --no-print-directory >/dev/null || \
    cmake --build "$dir" -j 1 "${targets[@]}" -- --no-print-directory  # show the error
}

# Adds the tests of a ctest run (its output in a file, its exit status) to the counts.
count_ctest() {
  local log=$1 rc=$2 total bad notrun
  total=$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)
  bad=$(sed -n 's/.*tests passed, \([0-9]*\) tests\{0,1\} failed out of.*/\1/p' "$log" | tail -n 1)
  notrun=$(sed -n '/The following tests did not run:/,/^$/p' "$log" | grep -c ' - ')
  passed_count=$((passed_count + ${total:-0} - ${bad:-0} - notrun))
  failed_count=$((failed_count + ${bad:-0}))
  skipped_count=$((skipped_count + notrun))
  if [ "$rc" != 0 ] && [ "${bad:-0}" = 0 ]; then failed_count=$((failed_count + 1)); fi
  return "$rc"
}

# Runs ctest in a tree (further arguments go to ctest) and counts its tests.
run_ctest() {
  local dir=$1; shift
  local log=$logs/$(echo "$dir" | tr / _).log
  (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
  count_ctest "$log" "${PIPESTATUS[0]}"
}

step "native unit tests (ASan, UBSan)"
if configure_build build/native -DCMAKE_BUILD_TYPE=Debug; then
  run_ctest build/native -j "$jobs" || failed+=(native)
else
  failed+=(native-build); failed_count=$((failed_count + 1))
fi

step "fuzz targets (${VOR_FUZZ_SECONDS:-10} s each)"
if configure_build build/fuzz -DVOR_FUZZ=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
     -DVOR_FUZZ_SECONDS="${VOR_FUZZ_SECONDS:-10}"; then
  run_ctest build/fuzz -j "$jobs" || failed+=(fuzz)
else
  failed+=(fuzz-build); failed_count=$((failed_count + 1))
fi

step "32-bit programs: build, import audits and size"
# A tree configured before the product had a toolchain of its own is made anew.
if grep -qs 'mingw32-gcc-ar-posix' build/win32/CMakeCache.txt; then rm -rf build/win32; fi
# The product, built with the win32 thread model; its audit needs no Wine.
if configure_build build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release; then
  run_ctest build/win32 || failed+=(win32-audit)
  printf 'build/win32/ZEZADERI.EXE: %s bytes\n' "$(stat -c %s build/win32/ZEZADERI.EXE)"
else
  failed+=(win32-build); failed_count=$((failed_count + 1))
fi

# The sources stay 32/64-bit clean: the 64-bit product must compile and link.
step "64-bit product: compile and link"
if configure_build build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
     -DVOR_BUILD_TESTS=OFF --target ZEZADERI --target VORCHECK --target VORPACK; then
  passed_count=$((passed_count + 1))
else
  failed+=(win64-build); failed_count=$((failed_count + 1))
fi

# The test programs need the posix compilers; the end-to-end tests start the product
# from build/win32.
step "32-bit test programs"
tests=build/win32-tests
configure_build $tests -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686-posix.cmake -DCMAKE_BUILD_TYPE=Release \
  -DVOR_PRODUCT_DIR="$PWD/build/win32" || { failed+=(win32-tests-build); failed_count=$((failed_count + 1)); }

# The real decompressor for the end-to-end tests and the demo: ARJ.EXE built from
# Debian's arj source (a test tool; the installer never ships it).
step "ARJ.EXE from Debian's arj source (tools/arj)"
bash tools/arj/build-arj.sh i686 || { failed+=(arj-build); failed_count=$((failed_count + 1)); }
[ -f build/arj/ARJ.EXE ] || skipped+=("the real-decompressor tests (e2e.RealArj, e2e.Demo): build/arj/ARJ.EXE did not build (build/arj-build.log)")

asked_mode=${VOR_WIN32_MODE:-}
mode=$(bash tools/win32-mode.sh)
if [ "${mode%%:*}" = none ]; then
  step "Win32 tests under Wine: not run"
  count=$( (cd $tests && ctest -N 2>/dev/null) | sed -n 's/^Total Tests: \([0-9]*\)/\1/p')
  skipped_count=$((skipped_count + ${count:-1}))
  skipped+=("the 32-bit programs were not executed (${count:-all} Win32 tests): ${mode#none: }")
elif [ -f "$tests/CTestTestfile.cmake" ]; then
  step "Win32 tests under Wine: 32-bit programs, run $mode"
  export VOR_WIN32_MODE=$mode
  log=$logs/win32.log
  xvfb-run -a -s "-screen 0 1280x1024x24" bash tools/run-win32-tests.sh $tests 2>&1 | tee "$log"
  count_ctest "$log" "${PIPESTATUS[0]}" || failed+=(win32)
fi
step ""

echo
for s in "${skipped[@]}"; do echo "SKIPPED: $s"; done
if [ "$mode" = emulated ]; then
  if [ -n "$asked_mode" ]; then why="VOR_WIN32_MODE=emulated"; else why="this kernel cannot run them"; fi
  echo "The 32-bit programs ran under qemu's user-mode emulation ($why)."
fi
[ "$mode" != native ] || echo "The 32-bit programs ran natively."
[ "${#failed[@]}" = 0 ] || echo "FAILED: ${failed[*]}"
line="tests: $passed_count passed, $failed_count failed"
[ "$skipped_count" = 0 ] || line+=", $skipped_count skipped"
echo "$line"
[ "${#failed[@]}" = 0 ]
