#!/usr/bin/env bash
# make demo and make try as a user sees them, under Wine on a virtual display of their
# own: the demo leaves the working tree as it was; make try reads both descriptions,
# installs into the folder the package offers and prints its title as the screen shows
# it, decoded from the package's code page (1252 here) and with the "&" rule.
#   demo-and-try-test.sh SOURCE_TREE     (exit 77: skipped, no ARJ.EXE)
set -uo pipefail
root=${1:?usage: demo-and-try-test.sh SOURCE_TREE}
[ -f "$root/build/arj/ARJ.EXE" ] || { echo "no $root/build/arj/ARJ.EXE: no demo package"; exit 77; }
source "$(dirname "${BASH_SOURCE[0]}")/expect.sh"
# The scripts take a display that is set for one you click on.
unset DISPLAY
cd "$root"

tree_state() { git status --porcelain --untracked-files=all 2>/dev/null; git diff 2>/dev/null | md5sum; }
before=$(tree_state)
bash tools/run-demo.sh >"$work/demo" 2>&1
expect "make demo installs the demo package" test $? -eq 0
expect "into the folder it offers" grep -qF 'Select Install Folder: accepted C:\VOR_DEMO' "$work/demo"
expect "after reading both descriptions" \
  test -f build/demo/02-viewing-vor-nfo.png -a -f build/demo/03-viewing-file-id-diz.png
expect "and leaves the working tree as it was" test "$(tree_state)" = "$before"
[ "$failures" = 0 ] || cat "$work/demo"

# The demo package with a title in code page 1252 and a folder with a blank.
cp -a build/demo/package "$work/package"
sed -i 's/^App_Name=.*/App_Name=Caf\xe9 \&\& \&Co/; s/^Default_Directory=.*/Default_Directory=C:\\VOR Try Test/' \
  "$work/package/VOR.INI"
bash tools/try-package.sh --work "$work/try" --expect build/demo/payload "$work/package" >"$work/try.out" 2>&1
expect "make try installs it" test $? -eq 0
expect "and prints its title as shown" grep -qF 'the main dialog, showing "Café & Co"' "$work/try.out"
expect "into its Default_Directory" grep -qF 'installed 6 files into C:\VOR Try Test' "$work/try.out"
[ "$failures" = 0 ] || cat "$work/try.out"
exit $((failures > 0))
