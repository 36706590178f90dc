#!/usr/bin/env bash
# Every example scene played to its end by the Linux host with the Linux plug-in and by the
# Windows host with physplug64.dll under wine64. Both builds run Bullet 3.24 from the same Debian
# source, single precision, through its scalar code, compiled -O2 without fused multiply-adds:
# - the trace and the vertex trace must be the same bytes, except in scenes with joints or soft
#   bodies: a joint's angles go through the C library's asinf/atan2f/acosf, and a cloth's damping
#   per sub-step through powf, whose last bits differ between glibc and mingw-w64's runtime for
#   some arguments, so there the motion must agree within 0.05 mm and 1e-3 of a rotation
#   component (measured: at most 0.0142 mm and 5.9e-5, bone_arm; the cloth vertices themselves
#   came out the same bytes);
# - the scene saved after playback must be the same bytes.
# The glTF files are not compared: the host builds their primitive meshes with its own C
# library's sin and cos (the plug-in plays no part in them).
# usage: examples_match.sh LINUX_HOST WINDOWS_HOST_EXE SOURCE_DIR
set -uo pipefail
linux_host=$1 windows_host=$2 src=$3
run_windows=$src/scripts/windows-run
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0 played=0
for scene in "$src"/examples/*.json; do
  name=$(basename "$scene" .json)
  [ "$name" = empty-scene ] && continue
  for side in linux windows; do
    mkdir -p "$work/$side"
    outputs=(--trace "$work/$side/$name.csv" --trace-vertices "$work/$side/$name.vertices.csv"
      --save "$work/$side/$name.saved.json")
    if [ $side = linux ]; then
      "$linux_host" play "$scene" "${outputs[@]}" >"$work/$side/$name.out" 2>&1
    else
      "$run_windows" "$windows_host" play "$scene" "${outputs[@]}" >"$work/$side/$name.out" 2>&1
    fi || { echo "FAIL $name: the $side host failed: $(tail -3 "$work/$side/$name.out")"; failed=1; continue 2; }
  done
  joints=0
  "$linux_host" info "$scene" | grep -q -e '\[joint\]' -e '\[soft body\]' && joints=1
  verdict="same bytes"
  for file in "$name.csv" "$name.vertices.csv" "$name.saved.json"; do
    cmp -s "$work/linux/$file" "$work/windows/$file" && continue
    if [ $joints = 1 ] && [ "$file" != "$name.saved.json" ] &&
      agree=$(node "$src/tests/windows/trace_diff.js" "$work/linux/$file" "$work/windows/$file" 0.05 1e-3); then
      verdict="within tolerance: $agree"
      continue
    fi
    echo "FAIL $name: $file differs ($(cmp "$work/linux/$file" "$work/windows/$file" 2>&1 | head -1))"
    verdict=""
    failed=1
  done
  played=$((played + 1))
  [ -n "$verdict" ] && echo "$name: $(($(wc -l <"$work/windows/$name.csv") - 1)) trace rows, $verdict"
done
[ $played -gt 0 ] || { echo "FAIL: no example played"; exit 1; }
exit $failed
