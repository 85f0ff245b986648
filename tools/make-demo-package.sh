#!/usr/bin/env bash
# Builds the demo package as a packager would lay it out, into OUTDIR (emptied first):
# demo/VOR.INI, VOR.nfo and file_id.diz, the decompressor ARJ.EXE, and six real
# volumes vorpkg.arj, vorpkg.a01 ... vorpkg.a05 made by Debian's Linux arj from a small
# payload of six files (MANUAL.TXT spans volumes; SETUP.EXE is a placeholder).
#
#   tools/make-demo-package.sh OUTDIR ARJEXE [PAYLOADDIR]
#
# With PAYLOADDIR, the payload is written there (emptied first) and kept, for a
# comparison with what an installation unpacks.
#
# ARJEXE is the Win32 ARJ.EXE from tools/arj/build-arj.sh (build/arj/ARJ.EXE), a test
# and demo tool: a real package brings its own decompressor.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
out=${1:?usage: make-demo-package.sh OUTDIR ARJEXE [PAYLOADDIR]}
arjexe=${2:?usage: make-demo-package.sh OUTDIR ARJEXE [PAYLOADDIR]}
keep=${3:-}
[ -f "$arjexe" ] || { echo "make-demo-package: $arjexe is missing (tools/arj/build-arj.sh builds it)" >&2; exit 1; }
command -v arj >/dev/null || { echo "make-demo-package: Linux arj is missing (make deps installs it)" >&2; exit 1; }
out=$(mkdir -p "$out" && cd "$out" && pwd)
if [ -n "$keep" ]; then
  payload=$(mkdir -p "$keep" && cd "$keep" && pwd)
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

rm -rf "${out:?}"/*
cp "$root/demo/VOR.INI" "$root/demo/VOR.nfo" "$root/demo/file_id.diz" "$out/"
cp "$arjexe" "$out/ARJ.EXE"
(cd "$payload" && arj a -s -v10K -y "$out/vorpkg.arj" \
   README.TXT LICENSE.TXT HELP.TXT MANUAL.TXT SETUP.EXE CHANGES.TXT </dev/null >/dev/null)

# VOR.INI's Total_Disks must count the volumes.
volumes=$(find "$out" -maxdepth 1 -name 'vorpkg.*' | wc -l)
disks=$(sed -n 's/^Total_Disks=\([0-9]*\).*/\1/p' "$out/VOR.INI")
if [ "$volumes" != "$disks" ]; then
  echo "make-demo-package: $volumes volumes, but VOR.INI says Total_Disks=$disks" >&2
  exit 1
fi
