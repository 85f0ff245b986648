#!/usr/bin/env bash
# VORPACK.EXE under Wine, with ARJ.EXE as its archiver: a package from a payload with
# nested folders, a file across volumes and a setup program comes out clean; an
# archiver that cannot be started leaves nothing behind. Exits 77 (skipped) without
# ARJ.EXE.
#
#   bash tests/check/pack-with-vorpack-exe.sh WORKDIR ARJEXE COMMAND...
# COMMAND... runs VORPACK.EXE (tools/wine-run.sh win32 build/win32/VORPACK.EXE); the
# installer it ships is the ZEZADERI.EXE beside it.
set -euo pipefail
work=${1:?usage: pack-with-vorpack-exe.sh WORKDIR ARJEXE COMMAND...}
arjexe=${2:?usage: pack-with-vorpack-exe.sh WORKDIR ARJEXE COMMAND...}
shift 2
[ -f "$arjexe" ] || { echo "no $arjexe: VORPACK.EXE not tried"; exit 77; }
arjexe=$(realpath "$arjexe")
program=$1; shift
case "$program" in */*) program=$(realpath "$program") ;; esac
rm -rf "$work"
mkdir -p "$work/payload/DOCS" "$work/payload/DATA/SUB"
cd "$work"
cp "$arjexe" ARJ.EXE
printf 'MZ a setup program\r\n' >payload/setup.exe
head -c 40000 /dev/urandom >payload/DOCS/MANUAL.BIN  # does not compress: spans volumes
printf 'level one\r\n' >payload/DATA/SUB/LEVEL.DAT
printf 'read me\r\n' >payload/README.TXT

failures=0
expect() {  # description, condition...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

status=0
"$program" "$@" payload pkg --name "Pixel & Notes" --dir 'C:\Pixel Notes' --decompressor ARJ.EXE \
  --volume-size 15K >out.txt 2>&1 || status=$?
cat out.txt
expect "VORPACK.EXE makes a clean package" test "$status" = 0
expect "of four files in nested folders" grep -q ", 4 files, 40,040 bytes unpacked" out.txt
expect "across three or more volumes" grep -Eq "Archive vorpkg.arj: [3-9] volumes" out.txt
expect "with the title's & doubled" grep -q "^App_Name=Pixel && Notes" pkg/VOR.INI
expect "with the installer and the decompressor" test -f pkg/ZEZADERI.EXE -a -f pkg/ARJ.EXE

status=0
"$program" "$@" payload pkg2 --name "N" --dir 'C:\N' --decompressor ARJ.EXE --archiver NOSUCH.EXE \
  >out.txt 2>&1 || status=$?
cat out.txt
expect "an archiver that cannot start makes no package" test "$status" = 4
expect "and says so" grep -q "vorpack: cannot start the archiver NOSUCH.EXE: not found" out.txt
expect "and removes the folder it made" test ! -e pkg2
exit $((failures > 0))
