#!/usr/bin/env bash
# Builds the demo package into DIR, as make demo does (tools/make-demo-package.sh), and
# runs a checker in it, where vorcheck checks the current folder; exits with its status.
# A Windows checker under Wine with a real ARJ.EXE: the package is extracted first, and
# the log must hold no warning.
# Without ARJ.EXE ("-", or a build that has none), placeholders take the decompressor's
# and the installer's places (the checker only looks for the decompressor's file; the
# installer's is a program file with our logo and icon, from VOR_MAKE_INSTALLER), so
# that the native tests need no Windows build.
#
#   bash tests/check/check-demo-package.sh DIR ARJEXE|- COMMAND...
set -euo pipefail
dir=${1:?usage: check-demo-package.sh DIR ARJEXE|- COMMAND...}
arjexe=${2:?usage: check-demo-package.sh DIR ARJEXE|- COMMAND...}
shift 2
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
if [ "$arjexe" = - ] || [ ! -f "$arjexe" ]; then
  placeholders=$(mktemp -d)
  trap 'rm -rf "$placeholders"' EXIT
  arjexe=$placeholders/ARJ.EXE
  printf 'MZ placeholder for the decompressor\r\n' >"$arjexe"
  if [ -z "${VOR_INSTALLER:-}" ]; then
    export VOR_INSTALLER=$placeholders/ZEZADERI.EXE
    "${VOR_MAKE_INSTALLER:?VOR_MAKE_INSTALLER: the program that writes a stand-in installer}" \
      "$root" "$VOR_INSTALLER"
  fi
fi
bash "$root/tools/make-demo-package.sh" "$dir" "$arjexe"
program=$1; shift
case "$program" in */*) program=$(realpath "$program") ;; esac
dir=$(realpath "$dir")
# With a real ARJ.EXE and a Windows checker (wine-run.sh ARCH VORCHECK.EXE), the package
# is extracted as the installer does it: vorpack's volumes are marked as made on MS-DOS,
# so that ARJ.EXE's log holds no "Binary file from a different OS".
if [ -z "${placeholders:-}" ] && [ $# -ge 2 ]; then
  rm -rf "$dir.extracted" && mkdir "$dir.extracted"
  status=0
  (cd "$dir.extracted" && "$program" "${@:1:$#-1}" "$dir/ARJ.EXE" x -v -y -i \
    "..\\$(basename "$dir")\\vorpkg.arj") >"$dir.extract.log" 2>&1 || status=$?
  if [ "$status" != 0 ] || grep -qi warning "$dir.extract.log"; then
    cat "$dir.extract.log"
    echo "check-demo-package: ARJ.EXE did not extract the package cleanly (exit code $status)"
    exit 1
  fi
fi
cd "$dir"
"$program" "$@"
