#!/usr/bin/env bash
# Builds OUT.so: newlib's asinf as the Windows build has it (platform/windows_math/edges.c), for
# Linux programs to take in place of glibc's with LD_PRELOAD. glibc's asinf carries a polynomial
# under the LGPL that the Windows build does not; this is the one float function that differs.
# usage: newlib_asinf.sh SOURCE_DIR OUT.so
set -euo pipefail
src=$1 out=$2
math=$src/platform/windows_math
libm=$("$src/scripts/windows-bullet" math-dir)/libm
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/asinf.c" <<'EOC'
float __ieee754_asinf(float x);
float asinf(float x) { return __builtin_fabsf(x) > 1.0f ? __builtin_nanf("") : __ieee754_asinf(x); }
EOC
"${CC:-cc}" -shared -fPIC -O2 -frounding-math -ffp-contract=off -w -D_IEEE_LIBM -include "$math/newlib_compat.h" \
  -I"$math" -I"$libm/common" -o "$out" "$work/asinf.c" "$libm/math/ef_asin.c" "$math/newlib_sqrt.c"
