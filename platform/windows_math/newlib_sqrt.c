/* newlib's fdlibm code takes square roots through these two names; the processor's square root
   instruction gives the correctly rounded root, as glibc's sqrtf and sqrt do. */
float __ieee754_sqrtf(float x);
double __ieee754_sqrt(double x);

float __ieee754_sqrtf(float x) { return __builtin_sqrtf(x); }
double __ieee754_sqrt(double x) { return __builtin_sqrt(x); }
