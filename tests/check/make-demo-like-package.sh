#!/usr/bin/env bash
# Makes a package like the demo's in DIR: demo/VOR.INI, demo/VOR.nfo and
# demo/file_id.diz, real volumes vorpkg.arj, vorpkg.a01 ... made by Debian's arj from
# a small payload that fits the demo's settings (setup.exe among the files, 6 volumes
# of 60 KB, under 1 MB unpacked), and a stand-in ARJ.exe. With a command given (vorcheck,
# or Wine and VORCHECK.EXE), runs it in DIR, where vorcheck checks the current folder,
# and exits with its status.
#
#   bash tests/check/make-demo-like-package.sh DIR [COMMAND...]
set -euo pipefail
dir=${1:?usage: make-demo-like-package.sh DIR [COMMAND...]}
shift
src=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

command -v arj >/dev/null || {
  echo "make-demo-like-package: Debian's arj is missing (tools/setup-deps.sh installs it)" >&2
  exit 1
}
rm -rf "$dir"
mkdir -p "$dir/payload"
cp "$src/demo/VOR.INI" "$src/demo/VOR.nfo" "$src/demo/file_id.diz" "$dir/"
printf 'MZ stand-in decompressor\n' >"$dir/ARJ.exe"

# Bytes that do not compress, the same on every run.
python3 - "$dir/payload" <<'PY'
import os, random, sys
d = sys.argv[1]
for name, size, seed in [('setup.exe', 24000, 1), ('DATA1.DAT', 250000, 2),
                         ('DATA2.DAT', 60000, 3), ('HELP.HLP', 9000, 4)]:
    with open(os.path.join(d, name), 'wb') as f:
        f.write(random.Random(seed).randbytes(size))
with open(os.path.join(d, 'README.TXT'), 'w') as f:
    f.write('VOR demo package.\n' * 40)
PY
(cd "$dir/payload" && arj a -y -v60K ../vorpkg.arj setup.exe DATA1.DAT DATA2.DAT HELP.HLP \
   README.TXT </dev/null >/dev/null)
rm -rf "$dir/payload"

if [ $# -gt 0 ]; then
  program=$1; shift
  case "$program" in */*) program=$(realpath "$program") ;; esac
  cd "$dir"
  exec "$program" "$@"
fi
