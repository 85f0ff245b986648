#!/usr/bin/env bash
# Tries a package on this machine: runs the package's own installer, its ZEZADERI.EXE
# (build/win32's, built if needed, where it has none), on a copy of the package folder
# under Wine (make try PACKAGE=DIR).
#
#   tools/try-package.sh [--work DIR] [--target FOLDER] [--code-page N] [--expect DIR] [--label WORD] PACKAGE
#
# The installer writes its log, VORDECOMP.LOG, into the folder it starts in: it runs on
# a copy, WORK/package (WORK is build/try unless given; a package that already lies
# there is used as it is), so nothing is left in the packager's folder. The copy is
# drive D: of the Wine prefix, as a package on a CD would be, and the installer starts
# in D:\.
#
# On your display if there is one: you click. Otherwise on a virtual display, where
# vordrive (tools/driver) takes the installer through the whole installation as a user
# who accepts what is offered: it opens both descriptions, installs into the folder the
# package offers (its Default_Directory; with --target, FOLDER is typed instead:
# C:\Games\Pixel, or a name, C:\NAME), answers the last question ("Execute Application
# Setup?") with No, opens the log and exits. It prints what each window showed, in UTF-8
# as the screen shows it, and leaves a picture of each in WORK
# (01-vor-custom-installer.png, ...) and all of them in WORK/installation.png, then
# lists the files installed. With --expect DIR, they must be DIR's files, byte for byte.
# With --code-page 932, 936, 949 or 950 Wine runs as Japanese, Simplified Chinese, Korean
# or Traditional Chinese Windows (their ANSI and OEM code pages), in a prefix of its own;
# otherwise as a Western one (1252 and 437).
# A folder that the installer made in the prefix on an earlier such run is removed
# first, with what it holds, so each run installs as on a clean machine.
# Its messages start with "try:" (or "WORD:" with --label, as make demo does).
#
# Exit status: 0 installed; 1 the installer showed an error instead, or the files
# differ; 2 the run could not go on or the package is not one.
#
# Wine runs in a prefix of its own, build/wineprefix-demo (build/wineprefix-demo-cpN
# with --code-page N; made on first use, about 20 s), so the tests' prefixes are
# untouched; its server ends with the run.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
usage="usage: try-package.sh [--work DIR] [--target FOLDER] [--code-page N] [--expect DIR] [--label WORD] PACKAGE (make try PACKAGE=DIR [TARGET=FOLDER] [CODE_PAGE=N])"
work=$root/build/try
target=
codepage=
expect=
label=try
package=
while [ $# -gt 0 ]; do
  case "$1" in
    --work) work=${2:?$usage}; shift 2 ;;
    --target) target=${2:?$usage}; shift 2 ;;
    --expect) expect=${2:?$usage}; shift 2 ;;
    --label) label=${2:?$usage}; shift 2 ;;
    --code-page) codepage=${2:?$usage}; shift 2 ;;
    -*) echo "$label: unknown option $1; $usage" >&2; exit 2 ;;
    *) [ -z "$package" ] || { echo "$label: one package at a time; $usage" >&2; exit 2; }
       package=$1; shift ;;
  esac
done
[ -n "$package" ] || { echo "$label: which package? $usage" >&2; exit 2; }
[ -d "$package" ] || { echo "$label: $package is not a folder" >&2; exit 2; }
# The installer finds VOR.INI whatever the case of its name (Windows' file names).
if [ -z "$(find "$package/" -maxdepth 1 -type f -iname VOR.INI -print -quit)" ]; then
  echo "$label: $package has no VOR.INI: it is not a package (the installer would stop with \"Cannot Find Configuration File\")" >&2
  exit 2
fi
package=$(cd "$package" && pwd)
[ -z "$expect" ] || expect=$(cd "$expect" && pwd)
work=$(mkdir -p "$work" && cd "$work" && pwd)
case "$codepage" in
  "" | 1252) codepage= ;;
  932 | 936 | 949 | 950) ;;
  *) echo "$label: --code-page takes 932, 936, 949 or 950 (1252, a Western Windows, unless given), not $codepage" >&2
     exit 2 ;;
esac
case "$target" in
  "" | [A-Za-z]:\\*) ;;
  *[\\/:]*) echo "$label: --target takes a folder with its drive (C:\\Games\\Pixel) or a name (C:\\NAME), not $target" >&2
             exit 2 ;;
  *) target="C:\\$target" ;;
esac

cd "$root"
mode=$(bash tools/win32-mode.sh) || { echo "$label: 32-bit programs cannot run here: ${mode#none: }" >&2; exit 2; }
export VOR_WIN32_MODE=$mode
quiet=(-DCMAKE_RULE_MESSAGES=OFF --log-level=WARNING -Wno-dev --no-warn-unused-cli)
cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release "${quiet[@]}" >/dev/null
cmake --build build/win32 -j "${JOBS:-2}" --target ZEZADERI vordrive -- --no-print-directory >/dev/null ||
  cmake --build build/win32 -j 1 --target ZEZADERI vordrive -- --no-print-directory

copy=$work/package
from=$(cd "$package" && pwd -P)
to=$(mkdir -p "$copy" && cd "$copy" && pwd -P)
if [ "$from" != "$to" ]; then
  case "$to/" in
    "$from"/*) echo "$label: $package holds ${copy#"$root"/}, where its copy would go: give the package folder itself" >&2
               exit 2 ;;
  esac
  rm -rf "$copy" && mkdir -p "$copy"
  cp -a "$package"/. "$copy"/
  echo "$label: the installer runs on a copy of $package in ${copy#"$root"/} (its log, VORDECOMP.LOG, goes there)"
fi
# The installer the package's users start, with the package's logo and icon.
installer=$(find "$copy" -maxdepth 1 -type f -iname ZEZADERI.EXE | head -n 1)
if [ -z "$installer" ]; then
  installer=$root/build/win32/ZEZADERI.EXE
  echo "$label: the package has no ZEZADERI.EXE (its users would have no installer): build/win32's runs in its place"
fi
# A log of an earlier run is not this run's.
find "$copy" -maxdepth 1 -type f -iname VORDECOMP.LOG -delete
rm -f "$work"/[0-9][0-9]-*.bmp "$work"/[0-9][0-9]-*.png "$work/installation.png"

export VOR_WINEPREFIX=$root/build/wineprefix-demo${codepage:+-cp$codepage}
[ -z "$codepage" ] || export VOR_WINE_CODEPAGE=$codepage
wine_run() { "$root/tools/wine-run.sh" win32 "$@"; }
end_server() {
  WINEPREFIX=$VOR_WINEPREFIX "${WINESERVER:-/usr/lib/wine/wineserver64}" -k >/dev/null 2>&1 || true
}

# Makes the prefix if it is new, and makes drive D: the package's copy. Wine draws the
# caption bars itself in this prefix; their buttons need the Marlett font and the
# captions Tahoma, which Debian's fonts-wine brings but this Wine does not find by
# itself: the prefix gets copies in its Fonts folder.
prepare_prefix() {
  [ -f "$VOR_WINEPREFIX/system.reg" ] || echo "$label: making the Wine prefix ${VOR_WINEPREFIX#"$root"/} (about 20 s, once)"
  wine_run cmd /c exit 0 >/dev/null 2>&1 || { echo "$label: Wine does not start in $VOR_WINEPREFIX" >&2; return 2; }
  ln -sfn "$copy" "$VOR_WINEPREFIX/dosdevices/d:"
  local fonts=$VOR_WINEPREFIX/drive_c/windows/Fonts f
  mkdir -p "$fonts"
  for f in marlett.ttf tahoma.ttf tahomabd.ttf; do
    [ -f "$fonts/$f" ] || cp /usr/share/wine/fonts/$f "$fonts/" 2>/dev/null ||
      echo "$label: /usr/share/wine/fonts/$f is missing (Debian's fonts-wine): captions will look wrong" >&2
  done
}

if [ -n "${DISPLAY:-}" ]; then
  prepare_prefix
  echo "$label: starting the installer in D:\\ (${copy#"$root"/}) on your display"
  status=0
  # Wine takes the current folder for D:\, the deepest drive that holds it.
  (cd "$copy" && wine_run "$installer") || status=$?
  end_server
  echo "$label: the installer ended with exit status $status; its log, if it made one: ${copy#"$root"/}/VORDECOMP.LOG"
  exit "$status"
fi

# The Unix path of a folder of the prefix (C:\Games\Pixel), found as Windows finds it,
# without regard to case; nothing when it is not on one of the prefix's drives.
unix_path() {
  local win=$1 dir part entry next
  [[ "$win" =~ ^([A-Za-z]):(.*)$ ]] || return 0
  dir=$(cd "$VOR_WINEPREFIX/dosdevices/${BASH_REMATCH[1],,}:" 2>/dev/null && pwd -P) || return 0
  local -a parts
  IFS='\' read -r -a parts <<<"${BASH_REMATCH[2]}"
  shopt -s nocasematch
  for part in "${parts[@]}"; do
    [ -n "$part" ] || continue
    next=$dir/$part
    if [ ! -e "$next" ]; then
      for entry in "$dir"/*; do
        [[ "${entry##*/}" == "$part" ]] && { next=$entry; break; }
      done
    fi
    dir=$next
  done
  shopt -u nocasematch
  echo "$dir"
}

# The folders the installer made on earlier driven runs (Unix paths, one a line): their
# installations are removed, so the package installs as on a clean machine and the
# "Create Directory" question comes again. Only folders inside the prefix's C: are
# listed. Before there was a list, the runs installed into C:\VOR_TRY and C:\VOR_DEMO.
made_list=$VOR_WINEPREFIX/vor-try-made.txt
drive_c=$VOR_WINEPREFIX/drive_c
if [ -d "$drive_c" ]; then
  drive_c=$(cd "$drive_c" && pwd -P)
  [ -f "$made_list" ] || printf '%s\n' "$drive_c/VOR_TRY" "$drive_c/VOR_DEMO" >"$made_list"
  while IFS= read -r dir; do
    case "$dir" in "$drive_c"/?*) rm -rf "$dir" ;; esac
  done <"$made_list"
  : >"$made_list"
fi

chosen=$work/chosen.txt
rm -f "$chosen"
echo "$label: no display: vordrive takes the installer through the installation on a virtual one"
export root copy work target chosen label installer
status=0
xvfb-run -a -s "-screen 0 800x600x24" bash -c "$(declare -f wine_run prepare_prefix end_server)"'
  set -uo pipefail
  prepare_prefix || exit 2
  wine_run "$root/build/win32/vordrive.exe" --installer="$installer" \
    --package="D:\\" ${target:+--target="$target"} --pictures="$work" --chosen="$chosen"
  status=$?
  end_server
  exit $status' || status=$?

# The folder the installation went into, kept in the list when the installer made it
# (also when the run did not go through).
folder= target_dir=
if [ -f "$chosen" ]; then
  folder=$(sed -n 1p "$chosen")
  target_dir=$(unix_path "$folder")
  drive_c=$(cd "$VOR_WINEPREFIX/drive_c" && pwd -P)
  if [ "$(sed -n 2p "$chosen")" = made ] && [ -d "$target_dir" ]; then
    case "$target_dir" in "$drive_c"/?*) echo "$target_dir" >>"$made_list" ;; esac
  elif [ -n "$target_dir" ] && [ -d "$target_dir" ]; then
    echo "$label: $folder was there before this run and was used as it was (for a run as on a clean machine, remove ${target_dir#"$root"/})"
  fi
fi

pictures=()
for bmp in "$work"/[0-9][0-9]-*.bmp; do
  [ -f "$bmp" ] || continue
  png=${bmp%.bmp}.png
  convert "$bmp" -strip "$png" && rm -f "$bmp"
  pictures+=("$png")
done
if [ "${#pictures[@]}" -gt 0 ]; then
  montage "${pictures[@]}" -tile 3x -geometry +8+8 -background white -strip "$work/installation.png"
  echo "$label: pictures in ${work#"$root"/}: $(cd "$work" && ls [0-9][0-9]-*.png | tr '\n' ' ')"
  echo "$label: all of them in ${work#"$root"/}/installation.png"
fi
[ "$status" -le 1 ] || { echo "$label: the run did not go through (see above)" >&2; exit 2; }

count=0
[ -z "$target_dir" ] || [ ! -d "$target_dir" ] || count=$(find "$target_dir" -type f | wc -l)
if [ -z "$folder" ]; then
  echo "$label: no folder was chosen: nothing was installed"
elif [ -z "$target_dir" ]; then
  echo "$label: $folder is on no drive of the Wine prefix: the files installed are not listed"
elif [ "$count" -gt 0 ]; then
  echo "$label: installed $count files into $folder (${target_dir#"$root"/}):"
  (cd "$target_dir" && find . -type f -printf '  %P  %s bytes\n' | sort)
else
  echo "$label: nothing was installed into $folder (${target_dir#"$root"/})"
fi
if [ -n "$expect" ]; then
  if [ -n "$target_dir" ] && [ -d "$target_dir" ] && diff -r -q "$expect" "$target_dir" >/dev/null; then
    echo "$label: the installed files are those of ${expect#"$root"/}, byte for byte"
  else
    echo "$label: the installed files differ from ${expect#"$root"/}:" >&2
    diff -r -q "$expect" "$target_dir" >&2 || true
    exit 1
  fi
fi
exit "$status"
