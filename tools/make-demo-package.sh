#!/usr/bin/env bash
# Builds the demo package into OUTDIR (emptied first) as a packager makes one, with
# vorpack: six real volumes vorpkg.arj, vorpkg.a01 ... vorpkg.a05 made by Debian's Linux
# arj from a small payload of six files (MANUAL.TXT spans volumes; SETUP.EXE is a
# placeholder), VOR.INI (it must come out as demo/VOR.INI is), demo/VOR.nfo and
# file_id.diz, the installer ZEZADERI.EXE and the decompressor ARJ.EXE.
#
#   tools/make-demo-package.sh OUTDIR ARJEXE [PAYLOADDIR]
#
# ARJEXE is the Win32 ARJ.EXE from tools/arj/build-arj.sh (build/arj/ARJ.EXE), a test
# and demo tool: a real package brings its own decompressor. PAYLOADDIR is where the
# payload is written (emptied first) and kept, for a comparison with what an
# installation unpacks (default: a temporary folder, removed at the end).
# VORPACK names the vorpack program (default build/native/vorpack, built if missing),
# VOR_INSTALLER the ZEZADERI.EXE to ship (default build/win32/ZEZADERI.EXE, built if
# missing).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
usage="usage: make-demo-package.sh OUTDIR ARJEXE [PAYLOADDIR]"
out=${1:?$usage}
arjexe=${2:?$usage}
[ -f "$arjexe" ] || { echo "make-demo-package: $arjexe is missing (tools/arj/build-arj.sh builds it)" >&2; exit 1; }
command -v arj >/dev/null || { echo "make-demo-package: Linux arj is missing (make deps installs it)" >&2; exit 1; }
quiet=(-DCMAKE_RULE_MESSAGES=OFF --log-level=WARNING -Wno-dev)
vorpack=${VORPACK:-$root/build/native/vorpack}
if [ -z "${VORPACK:-}" ] && [ ! -x "$vorpack" ]; then
  cmake -S "$root" -B "$root/build/native" -DCMAKE_BUILD_TYPE=Debug "${quiet[@]}" >/dev/null
  cmake --build "$root/build/native" -j 2 --target vorpack -- --no-print-directory >/dev/null
fi
installer=${VOR_INSTALLER:-$root/build/win32/ZEZADERI.EXE}
if [ -z "${VOR_INSTALLER:-}" ] && [ ! -f "$installer" ]; then
  cmake -S "$root" -B "$root/build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
    -DCMAKE_BUILD_TYPE=Release "${quiet[@]}" >/dev/null
  cmake --build "$root/build/win32" -j 2 --target ZEZADERI -- --no-print-directory >/dev/null
fi
if [ -n "${3:-}" ]; then
  payload=$(mkdir -p "$3" && cd "$3" && pwd)
  rm -rf "${payload:?}"/*
else
  payload=$(mktemp -d)
  trap 'rm -rf "$payload"' EXIT
fi

python3 - "$payload" <<'EOF'
import os, random, sys
d = sys.argv[1]
def put(name, text):
    with open(os.path.join(d, name), 'wb') as f:
        f.write(text if isinstance(text, bytes) else text.replace('\n', '\r\n').encode('ascii'))
put('README.TXT', """VOR Demo Package 1.0
====================

This package shows the VOR Custom Installer at work. The installer started
ARJ.EXE on six archive volumes and followed it volume by volume.

Files:
  README.TXT    this file
  LICENSE.TXT   terms of use
  HELP.TXT      a few hints
  MANUAL.TXT    a long text that spans several volumes
  SETUP.EXE     a placeholder for a package's own setup program
  CHANGES.TXT   what changed
""")
put('LICENSE.TXT', "Use this demo package as you see fit. It comes with no warranty.\n")
put('HELP.TXT', "Choose a folder, press OK, and watch the volumes go by.\n"
                "\"Remove Install Directory\" takes the folder away again.\n")
put('CHANGES.TXT', "1.0  First release of the demo package.\n")
# Placeholder: not a program that runs.
put('SETUP.EXE', b'MZ' + b'VOR demo placeholder, not a program.\r\n' * 40)
# Words in random order pack to about half their size, so this file spans volumes.
random.seed(6)
words = ('volume archive folder install setup package disk file text demo manual page '
         'line word chapter section table figure note hint step').split()
lines = []
for n in range(4400):
    lines.append('%04d ' % n + ' '.join(random.choice(words) for _ in range(8)))
put('MANUAL.TXT', '\n'.join(lines) + '\n')
EOF
touch -d '2026-01-01 12:00:00' "$payload"/*

# The package folder is made anew: vorpack writes over nothing.
rm -rf "${out:?}"
mkdir -p "$(dirname "$out")"
"$vorpack" "$payload" "$out" --name "VOR Demo Package 1.0" --dir 'C:\VOR_DEMO' --setup setup.exe \
  --decompressor "$arjexe" --installer "$installer" --volume-size 10K --archive vorpkg \
  --nfo "$root/demo/VOR.nfo" --diz "$root/demo/file_id.diz"

# The demo's settings are those of demo/VOR.INI, which the README shows.
if ! cmp -s "$out/VOR.INI" "$root/demo/VOR.INI"; then
  echo "make-demo-package: vorpack wrote another VOR.INI than demo/VOR.INI:" >&2
  diff "$root/demo/VOR.INI" "$out/VOR.INI" >&2 || true
  exit 1
fi
