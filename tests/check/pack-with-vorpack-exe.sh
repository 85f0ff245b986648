#!/usr/bin/env bash
# VORPACK.EXE under Wine, with ARJ.EXE as its archiver: a package from a payload with
# nested folders, a file across volumes and a setup program comes out clean, its title
# in code page 1252 in VOR.INI and in 437 in the descriptions, with a logo and an icon
# made by the README's ImageMagick commands, made by the --decompressor file (not by a
# payload file of its name), and ARJ.EXE extracts it without a warning in its log; a
# title the descriptions' code page cannot hold, and an archiver that cannot be started,
# leave nothing behind.
# Exits 77 (skipped) without ARJ.EXE.
#
#   bash tests/check/pack-with-vorpack-exe.sh WORKDIR ARJEXE COMMAND...
# COMMAND... runs VORPACK.EXE (tools/wine-run.sh win32 build/win32/VORPACK.EXE); the
# installer it ships is the ZEZADERI.EXE beside it.
set -euo pipefail
export LC_ALL=C.UTF-8  # the title is typed in UTF-8; Wine hands it on in code page 1252
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
# The logo and the icon from a picture with transparent parts, as the README makes them.
convert -size 300x300 xc:none -fill orange -draw "circle 150,150 150,40" picture.png
convert picture.png -background white -alpha remove -alpha off -resize 402x186 \
    -gravity center -extent 402x186 -colors 256 -type Palette -compress none BMP3:logo.bmp
for n in 32 16; do
  convert picture.png -background white -alpha remove -alpha off -resize ${n}x$n \
      -gravity center -extent ${n}x$n -colors 16 -type Palette -compress none BMP3:icon-$n.bmp
done
convert icon-32.bmp icon-16.bmp icon.ico
printf 'not a program\r\n' >payload/ARJ.EXE  # a payload file, never the archiver

failures=0
expect() {  # description, condition...
  local what=$1; shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

status=0
"$program" "$@" payload pkg --name "Pixel & Notes café" --dir 'C:\Pixel Notes' --decompressor ARJ.EXE \
  --volume-size 15K --logo logo.bmp --icon icon.ico >out.txt 2>&1 || status=$?
cat out.txt
expect "VORPACK.EXE makes a clean package" test "$status" = 0
expect "of five files in nested folders" grep -q ", 5 files, 40,055 bytes unpacked" out.txt
expect "across three or more volumes" grep -Eq "Archive vorpkg.arj: [3-9] volumes" out.txt
expect "with the title's & doubled, in code page 1252" grep -q $'^App_Name=Pixel && Notes caf\xe9\r$' pkg/VOR.INI
expect "and in 437 in the descriptions" grep -q $'^Pixel && Notes caf\x82 ([3-9] disks)\r$' pkg/file_id.diz
expect "with the installer and the decompressor" test -f pkg/ZEZADERI.EXE -a -f pkg/ARJ.EXE
expect "the installer showing the packager's logo and icon" \
  grep -q "^Installer ZEZADERI.EXE: the package's own logo and icon" out.txt

# The package's ARJ.EXE extracts it as the installer runs it, and writes no warning.
mkdir target
runner=("$program" "$@")
runner=("${runner[@]:0:${#runner[@]}-1}")  # wine-run.sh and its architecture
status=0
(cd target && "${runner[@]}" ../pkg/ARJ.EXE x -v -y -i '..\pkg\vorpkg.arj') >extract.log 2>&1 || status=$?
cat extract.log
expect "ARJ.EXE extracts the package" test "$status" = 0
expect "every file whole" cmp payload/DOCS/MANUAL.BIN target/DOCS/MANUAL.BIN
expect "in its folder" cmp payload/DATA/SUB/LEVEL.DAT target/DATA/SUB/LEVEL.DAT
expect "the payload's ARJ.EXE as a file" cmp payload/ARJ.EXE target/ARJ.EXE
expect "and its log holds no warning" bash -c '! grep -qi "warning" extract.log'

status=0
"$program" "$@" payload pkg2 --name "N" --dir 'C:\N' --decompressor ARJ.EXE --archiver NOSUCH.EXE \
  >out.txt 2>&1 || status=$?
cat out.txt
expect "an archiver that cannot start makes no package" test "$status" = 4
expect "and says so" grep -q "vorpack: cannot start the archiver NOSUCH.EXE: not found" out.txt
expect "and removes the folder it made" test ! -e pkg2

status=0
"$program" "$@" payload pkg3 --name "5 €" --dir 'C:\N' --decompressor ARJ.EXE >out.txt 2>&1 || status=$?
cat out.txt
expect "a title the descriptions cannot hold makes no package" test "$status" = 4 -a ! -e pkg3
expect "and says which character" grep -q "has no place in code page 437" out.txt
exit $((failures > 0))
