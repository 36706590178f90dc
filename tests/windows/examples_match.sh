#!/usr/bin/env bash
# Every example scene played to its end by the Linux host with the Linux plug-in and by the
# Windows host with physplug64.dll under wine64: the trace, the vertex trace and the scene saved
# after playback must be the same bytes. Both builds run Bullet 3.24 from the same Debian source,
# single precision, through its scalar code, compiled -O2 without fused multiply-adds, and the
# same float functions of the C library: glibc's on Linux, the same code compiled into every
# Windows program (platform/windows_math; tests/windows/math_match.sh checks them), with one
# exception: glibc's asinf carries a polynomial under the LGPL, which the Windows build may not
# contain, and newlib's asinf, which it has, rounds 3.45 million of the 2^32 floats one
# bit apart. A scene whose joints meet such an argument is played on Linux once more with
# newlib's asinf put in place of glibc's (LD_PRELOAD, built here), and the Windows outputs must
# be the same bytes as that run's: the one function is then all that differs.
# The glTF files are not compared: the host builds their primitive meshes with the double sin
# and cos, whose last bits may differ between the two (the plug-in plays no part in them).
# usage: examples_match.sh LINUX_HOST WINDOWS_HOST_EXE SOURCE_DIR
set -uo pipefail
linux_host=$1 windows_host=$2 src=$3
run_windows=$src/scripts/windows-run
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# newlib's asinf as the Windows build has it, for Linux (tests/windows/newlib_asinf.sh).
newlib_asinf() {
  [ -f "$work/newlib_asinf.so" ] || bash "$src/tests/windows/newlib_asinf.sh" "$src" "$work/newlib_asinf.so"
}

# play SIDE SCENE NAME: the outputs of one host into $work/SIDE/
play() {
  local side=$1 scene=$2 name=$3
  mkdir -p "$work/$side"
  local outputs=(--trace "$work/$side/$name.csv" --trace-vertices "$work/$side/$name.vertices.csv"
    --save "$work/$side/$name.saved.json")
  case $side in
    linux) "$linux_host" play "$scene" "${outputs[@]}" ;;
    linux-newlib-asinf) LD_PRELOAD=$work/newlib_asinf.so "$linux_host" play "$scene" "${outputs[@]}" ;;
    windows) "$run_windows" "$windows_host" play "$scene" "${outputs[@]}" ;;
  esac >"$work/$side/$name.out" 2>&1 || { echo "FAIL $name: the $side host failed: $(tail -3 "$work/$side/$name.out")"; return 1; }
}

# differing SIDE NAME: the outputs of SIDE that are not the same bytes as Windows'
differing() {
  local file
  for file in "$2.csv" "$2.vertices.csv" "$2.saved.json"; do
    cmp -s "$work/$1/$file" "$work/windows/$file" || echo "$file"
  done
}

failed=0 played=0
for scene in "$src"/examples/*.json; do
  name=$(basename "$scene" .json)
  [ "$name" = empty-scene ] && continue
  play linux "$scene" "$name" && play windows "$scene" "$name" || { failed=1; continue; }
  played=$((played + 1))
  rows=$(($(wc -l <"$work/windows/$name.csv") - 1))
  differ=$(differing linux "$name")
  if [ -z "$differ" ]; then
    echo "$name: $rows trace rows, same bytes"
    continue
  fi
  if newlib_asinf && play linux-newlib-asinf "$scene" "$name" && [ -z "$(differing linux-newlib-asinf "$name")" ]; then
    how=""
    command -v node >/dev/null 2>&1 && [ -f "$work/windows/$name.csv" ] &&
      how=": $(node "$src/tests/windows/trace_diff.js" "$work/linux/$name.csv" "$work/windows/$name.csv")"
    echo "$name: $rows trace rows, same bytes as Linux with newlib's asinf (with glibc's, $(echo $differ) differ$how)"
    continue
  fi
  for file in $differ; do
    how=$(cmp "$work/linux/$file" "$work/windows/$file" 2>&1 | head -1)
    # For a trace, how far apart the motion came out (no tolerance: any difference fails).
    [ "$file" != "$name.saved.json" ] && command -v node >/dev/null 2>&1 &&
      how="$how; $(node "$src/tests/windows/trace_diff.js" "$work/linux/$file" "$work/windows/$file")"
    echo "FAIL $name: $file differs ($how)"
  done
  failed=1
done
[ $played -gt 0 ] || { echo "FAIL: no example played"; exit 1; }
exit $failed
