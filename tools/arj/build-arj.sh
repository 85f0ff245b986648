#!/usr/bin/env bash
# Builds ARJ.EXE, a Win32 console ARJ 3.10, from Debian's arj source package, for the
# end-to-end tests and the demo. It is a test tool: nothing ships it.
#
#   tools/arj/build-arj.sh [i686|x86_64 ...]      (default: i686)
#
# i686 gives build/arj/ARJ.EXE, x86_64 gives build/arj64/ARJ.EXE. A build whose output
# is there and was made by this script and patch is not repeated. Quiet on success;
# on failure it names its log and shows the end of it.
#
# Two stages: the package's own GNU build, natively, for its host tools (msgbind, join,
# postproc) and a native arj that packs the help text; then the Win32 sources with the
# mingw-w64 compiler, from the object lists of the GNU makefile (plus the NT stream
# module that the Win32 builds include), stripped, with the self-extractor modules and
# the help joined on as the GNU build does it.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
patch_file=$here/arj-win32.patch
src_root=$root/build/arj-src
arches=("$@")
[ "${#arches[@]}" -gt 0 ] || arches=(i686)

out_dir() {
  case "$1" in
    i686) echo "$root/build/arj" ;;
    x86_64) echo "$root/build/arj64" ;;
    *) echo "build-arj: unknown architecture $1 (i686 or x86_64)" >&2; return 2 ;;
  esac
}

# What a build depends on: this script, the patch and the target.
fingerprint() { cat "${BASH_SOURCE[0]}" "$patch_file" | sha256sum | cut -c1-16; }

todo=()
for arch in "${arches[@]}"; do
  out=$(out_dir "$arch")
  if [ -f "$out/ARJ.EXE" ] && [ "$(cat "$out/stamp" 2>/dev/null)" = "$arch $(fingerprint)" ]; then
    continue
  fi
  todo+=("$arch")
done
[ "${#todo[@]}" -gt 0 ] || exit 0

mkdir -p "$root/build"
log=$root/build/arj-build.log
: >"$log"
fail() {
  echo "build-arj: $*; see $log" >&2
  tail -n 25 "$log" >&2
  exit 1
}
run() { "$@" >>"$log" 2>&1; }

echo "build-arj: building ARJ.EXE (${todo[*]}) from Debian's arj source..."

# --- The source: Debian's package, its own patches applied, then ours. -------------
if [ ! -f "$src_root/stamp" ] || [ "$(cat "$src_root/stamp")" != "$(fingerprint)" ]; then
  rm -rf "$src_root"
  mkdir -p "$src_root"
  (cd "$src_root" && run apt-get source arj) ||
    fail "apt-get source arj failed (is there a deb-src entry? make deps adds one)"
  src=$(find "$src_root" -mindepth 1 -maxdepth 1 -type d -name 'arj-*' | head -n 1)
  [ -n "$src" ] || fail "apt-get source left no arj-* folder"
  run patch -d "$src" -p1 --no-backup-if-mismatch -i "$patch_file" || fail "our patch does not apply"

  # Stage 1: the native GNU build, in a copy, so that its c_defs.h stays out of the
  # Win32 compilation. Its config.sub is older than today's triplets.
  native=$src_root/native
  cp -a "$src" "$native"
  cp /usr/share/autoconf/build-aux/config.sub /usr/share/autoconf/build-aux/config.guess "$native/gnu/"
  (cd "$native/gnu" && run autoconf && run ./configure) || fail "native configure failed"
  epoch=$(cd "$src" && dpkg-parsechangelog -STimestamp)
  # Its output folder is named after the host system (linux-gnu/en/rs).
  nbase=$(sed -n 's#^BASEDIR = \$(SRC_DIR)/\([^/]*\)/.*#\1/en/rs#p' "$native/GNUmakefile")
  [ -n "$nbase" ] || fail "no BASEDIR in the native GNUmakefile"
  (cd "$native" && run make -j1 prepare &&
     run make -j1 "$nbase/tools/msgbind" "$nbase/tools/join" "$nbase/tools/postproc") ||
    fail "native build of the host tools failed"
  # The help text, packed as the GNU build packs it with its native arj; Debian's arj
  # is that program, so it is not built again here.
  (cd "$src" && TZ=UTC0 run arj a "$native/$nbase/help.arj" -+ -t1f -2d -e -jm -jh65535 -jt -y \
     -hdo"$(TZ=UTC0 date -d "@$epoch" '+%Y%m%d%H%S')" resource/en/arjl.txt resource/en/arjs.txt \
     </dev/null) || fail "packing the help text failed (make deps installs arj)"
  echo "$native/$nbase" >"$src_root/native-base"
  echo "$(fingerprint)" >"$src_root/stamp"
fi
src=$(find "$src_root" -mindepth 1 -maxdepth 1 -type d -name 'arj-*' | head -n 1)
native=$src_root/native
nbase=$(cat "$src_root/native-base")
tools=$nbase/tools

# --- Stage 2: the Win32 program. ----------------------------------------------------
# Object lists of gnu/makefile.in.
arj_objs="filemode fmsg_arj imsg_arj nmsg_arj integr file_reg decode encode arj enc_gwy
  fardata arj_user arj_arcv arj_file crc32 misc debug arj_proc environ ea_mgr uxspec
  ext_hdr arjtypes exe_sear chk_fmsg filelist arjsec_h arjsec_l garble scrnio ansi
  crc16tab recovery gost gost40 gost_t externs ntstream"
arjsfxv_objs="sfx_id filemode fmsg_sfv imsg_sfv nmsg_sfv decode arjsfx fardata arj_user
  arj_arcv arj_file crc32 misc debug arj_proc environ ea_mgr ntstream uxspec ext_hdr
  arjtypes exe_sear chk_fmsg filelist arjsec_h arjsec_l garble scrnio ansi externs"
arjsfx_objs="sfx_id filemode fmsg_sfx imsg_sfx nmsg_sfx decode arjsfx fardata arj_user
  arj_arcv arj_file crc32 misc debug arj_proc environ arjtypes exe_sear chk_fmsg
  arjsec_h arjsec_l garble externs"
arjsfxjr_objs="sfx_id fmsg_sfj nmsg_sfj arjsfxjr debug crc32 environ"
sfxstub_objs="nmsg_stb sfxstub"

build_arch() {
  local arch=$1 out cc base
  out=$(out_dir "$arch")
  cc=$arch-w64-mingw32-gcc
  command -v "$cc" >/dev/null || fail "$cc is missing (make deps installs mingw-w64)"
  base=$out/obj
  rm -rf "$out"
  mkdir -p "$base"
  # The configuration header that configure would write for this target.
  printf '/* Win32 build with mingw-w64 */\n#define HAVE_STRNLEN 1\n' >"$base/c_defs.h"
  for msg in msg_arj msg_sfv msg_sfx msg_sfj msg_stb; do
    (cd "$src" && run "$tools/msgbind" resource/resource.txt $msg WIN32 s en "$base") ||
      fail "msgbind $msg failed"
  done
  local cflags=(-O1 -w -fno-strict-aliasing -DLOCALE=LANG_en '-DLOCALE_DESC="en"' -I"$base" -I"$src")

  # Compiles a module's objects into $base/NAME with its -D flag (the generated message
  # tables get none, as in the GNU makefile) and links them stripped: NAME, flag, list.
  link_module() {
    local name=$1 def=$2 dir=$base/$1 o c files=()
    mkdir -p "$dir"
    for o in $3; do
      if [ -f "$base/$o.c" ]; then c=("$base/$o.c"); else c=("$def" "$src/$o.c"); fi
      run "$cc" -c "${cflags[@]}" -o "$dir/$o.o" "${c[@]}" || fail "$arch: compiling $o.c for $name failed"
      files+=("$dir/$o.o")
    done
    run "$cc" -s -static -o "$dir/$name.exe" "${files[@]}" || fail "$arch: linking $name failed"
  }
  for m in "sfxstub -DSFXSTUB $sfxstub_objs" "arjsfxjr -DSFL=1 $arjsfxjr_objs" \
           "arjsfx -DSFL=2 $arjsfx_objs" "arjsfxv -DSFL=3 $arjsfxv_objs"; do
    set -- $m
    link_module "$1" "$2" "${*:3}"
    run "$tools/postproc" "$base/$1/$1.exe" -sfx || fail "$arch: postproc $1 failed"
  done

  # ARJ itself: linked stripped, then the modules and the help are joined on (a strip
  # after that would cut them off again).
  link_module arj -DSFL=4 "$arj_objs"
  local exe=$base/arj/arj.exe
  for m in arjsfxjr arjsfx arjsfxv sfxstub; do
    run "$tools/join" "$exe" "$base/$m/$m.exe" || fail "$arch: joining $m failed"
  done
  # The help archive packed in the first stage.
  run "$tools/join" "$exe" "$nbase/help.arj" || fail "$arch: joining the help failed"
  run "$tools/postproc" "$exe" || fail "$arch: postproc ARJ.EXE failed"
  mv "$exe" "$out/ARJ.EXE"
  echo "$arch $(fingerprint)" >"$out/stamp"
}

for arch in "${todo[@]}"; do
  build_arch "$arch"
done
rm -f "$log"
