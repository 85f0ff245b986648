#!/usr/bin/env bash
# Runs the Win32 tests of a tree under Wine, on the display that is set (tools/run-tests.sh
# starts it inside xvfb-run):  run-win32-tests.sh TREE [CTEST ARGS...]
# Both test prefixes are made first, and each gets one server for the whole run: every
# program starts faster. The servers end with the run.
set -uo pipefail
tree=${1:?usage: run-win32-tests.sh TREE [CTEST ARGS...]}
shift
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
mode=$(bash "$root/tools/win32-mode.sh") || { echo "run-win32-tests: ${mode}" >&2; exit 125; }
export VOR_WIN32_MODE=$mode
log=$root/build/wine-servers.log
: >"$log"
prefixes=("$root/build/wineprefix-win32" "$root/build/wineprefix-win32-win98"
          "$root/build/wineprefix-win32-cp932")
# The server that made a prefix ends with its last program; it is replaced by one that
# stays, and the prefix's services are started here, their output in the log: a service
# started by a test would keep that test's output pipe open for as long as it runs.
start_each_prefix() {
  for version in "" win98; do
    VOR_WINE_VERSION=$version "$root/tools/wine-run.sh" win32 cmd /c exit 0 >>"$log" 2>&1
  done
  VOR_WINE_CODEPAGE=932 "$root/tools/wine-run.sh" win32 cmd /c exit 0 >>"$log" 2>&1
}
start_each_prefix
for prefix in "${prefixes[@]}"; do
  WINEPREFIX=$prefix /usr/lib/wine/wineserver64 -k >>"$log" 2>&1
  WINEPREFIX=$prefix /usr/lib/wine/wineserver64 -p >>"$log" 2>&1
done
start_each_prefix
# A suite that fails is run once more: GUI timing under Wine on a loaded machine is not
# fully deterministic. A real fault fails both runs.
(cd "$tree" && ctest --output-on-failure --timeout 300 --repeat until-pass:2 "$@")
rc=$?
for prefix in "${prefixes[@]}"; do
  WINEPREFIX=$prefix /usr/lib/wine/wineserver64 -k >>"$log" 2>&1 || true
done
exit $rc
