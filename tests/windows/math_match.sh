#!/usr/bin/env bash
# The C library's float functions as the Windows build links them (platform/windows_math) give
# the bits glibc gives on this machine: math_sample.c, built for Linux here and for Windows by
# the build, must print the same digests, once as each picks its functions for this processor
# and once with the SSE2 builds (glibc told by GLIBC_TUNABLES that FMA and AVX2 are off).
# asinf is the exception (glibc's carries an LGPL polynomial the Windows build does not): its
# digest must be that of newlib's asinf on Linux (tests/windows/newlib_asinf.sh, preloaded).
# usage: math_match.sh WINDOWS_MATH_SAMPLE_EXE SOURCE_DIR
set -uo pipefail
windows_sample=$1 src=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cc=${CC:-cc}
"$cc" -O2 -o "$work/math_sample" "$src/tests/windows/math_sample.c" -lm ||
  { echo "FAIL: compiling math_sample.c for Linux with $cc"; exit 1; }
bash "$src/tests/windows/newlib_asinf.sh" "$src" "$work/newlib_asinf.so" ||
  { echo "FAIL: building newlib's asinf for Linux"; exit 1; }
failed=0
for mode in chosen sse2; do
  tunables=${GLIBC_TUNABLES:-}
  [ $mode = sse2 ] && tunables=glibc.cpu.hwcaps=-AVX2,-FMA
  GLIBC_TUNABLES=$tunables "$work/math_sample" $mode >"$work/glibc.$mode" &&
    GLIBC_TUNABLES=$tunables LD_PRELOAD=$work/newlib_asinf.so "$work/math_sample" $mode >"$work/newlib_asinf.$mode" ||
    { echo "FAIL: math_sample $mode (Linux)"; exit 1; }
  { grep -v '^asinf ' "$work/glibc.$mode"; grep '^asinf ' "$work/newlib_asinf.$mode"; } | sort >"$work/linux.$mode"
  "$src/scripts/windows-run" "$windows_sample" $mode >"$work/windows.$mode" ||
    { echo "FAIL: math_sample.exe $mode (Windows)"; exit 1; }
  tr -d '\r' <"$work/windows.$mode" | sort >"$work/windows.$mode.txt"
  if cmp -s "$work/linux.$mode" "$work/windows.$mode.txt"; then
    echo "$mode: $(wc -l <"$work/linux.$mode") functions give the same bits ($(cut -c1-8 "$work/linux.$mode" | tr -s ' \n' ' '); asinf as newlib's)"
  else
    echo "FAIL $mode: the functions differ (Linux, then Windows):"
    diff "$work/linux.$mode" "$work/windows.$mode.txt"
    failed=1
  fi
done
exit $failed
