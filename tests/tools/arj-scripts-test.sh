#!/usr/bin/env bash
# Bad input to the ARJ.EXE build, the demo package builder and make try: a clear
# message, a failing exit status, and nothing lost in the folder it was pointed at.
set -uo pipefail
root=${1:?usage: arj-scripts-test.sh SOURCE_TREE}
source "$(dirname "${BASH_SOURCE[0]}")/expect.sh"

mkdir -p "$work/pkg"
echo precious >"$work/pkg/keep.txt"
bash "$root/tools/make-demo-package.sh" "$work/pkg" "$work/none/ARJ.EXE" >"$work/out" 2>&1
expect "demo package without ARJ.EXE fails" test $? -ne 0
expect "and names the missing file" grep -q "$work/none/ARJ.EXE is missing" "$work/out"
expect "and leaves the folder as it was" test "$(cat "$work/pkg/keep.txt")" = precious

bash "$root/tools/make-demo-package.sh" >"$work/out" 2>&1
expect "demo package without arguments fails with its usage" grep -q "usage: make-demo-package.sh OUTDIR ARJEXE" "$work/out"

bash "$root/tools/arj/build-arj.sh" arm64 >"$work/out" 2>&1
expect "ARJ.EXE for an unknown architecture fails" test $? -eq 2
expect "and says which ones there are" grep -q "unknown architecture arm64 (i686 or x86_64)" "$work/out"

bash "$root/tools/try-package.sh" "$work/pkg" >"$work/out" 2>&1
expect "make try on a folder without VOR.INI fails" test $? -eq 2
expect "and says it is not a package" grep -q "$work/pkg has no VOR.INI: it is not a package" "$work/out"
expect "and leaves the folder as it was" test "$(ls "$work/pkg")" = keep.txt
bash "$root/tools/try-package.sh" "$work/none" >"$work/out" 2>&1
expect "make try on a missing folder says so" grep -q "try: $work/none is not a folder" "$work/out"
mkdir -p "$work/game"
printf '[INSTALL]\r\nApp_Name=Game\r\n' >"$work/game/VOR.INI"
bash "$root/tools/try-package.sh" --target 'Games\Pixel' "$work/game" >"$work/out" 2>&1
expect "make try refuses a --target without its drive" test $? -eq 2
expect "and says what it takes" grep -qF 'try: --target takes a folder with its drive (C:\Games\Pixel) or a name (C:\NAME), not Games\Pixel' "$work/out"
expect "and leaves the package as it was" test "$(ls "$work/game")" = VOR.INI
bash "$root/tools/try-package.sh" --code-page 1251 "$work/game" >"$work/out" 2>&1
expect "make try refuses a code page it cannot run as" grep -q "try: --code-page takes 932, 936, 949 or 950 (1252, a Western Windows, unless given), not 1251" "$work/out"
expect "tools/try-package.sh is executable" test -x "$root/tools/try-package.sh"

exit $((failures > 0))
