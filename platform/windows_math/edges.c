/* Where newlib's float functions answer differently from glibc's, found by comparing the two over
   every float argument (docs/platforms.md):
   - asinf and acosf of |x| > 1: glibc answers a positive quiet NaN, newlib's the processor's
     default NaN (sign bit set);
   - atanf of 2^25 <= |x| < 2^34: glibc answers +-pi/2 rounded to float, as for all larger |x|;
     newlib's polynomial still runs there and rounds pi/2 - 1/x one bit lower below 2^26.
   newlib's functions are compiled under the names used here (CMakeLists.txt). */
#include <math.h>

float __ieee754_asinf(float x);
float __ieee754_acosf(float x);
float physplug_newlib_atanf(float x);

float asinf(float x) { return fabsf(x) > 1.0f ? __builtin_nanf("") : __ieee754_asinf(x); }

float acosf(float x) { return fabsf(x) > 1.0f ? __builtin_nanf("") : __ieee754_acosf(x); }

float atanf(float x) {
  if (fabsf(x) >= 0x1p25f) return copysignf(0x1.921fb6p0f, x); /* pi/2 rounded to nearest */
  return physplug_newlib_atanf(x);
}
