/* sinf, cosf, sincosf and powf as glibc picks them on x86-64. glibc builds these four twice, for
   SSE2 and with -mfma -mavx2 (the compiler then fuses multiplies and adds), and its start-up
   takes the second on a processor with FMA and AVX2 usable. The two round the last bit apart for
   some arguments, so a DLL that should move bodies as the Linux build does on the same machine
   carries both builds of the same code and picks one by the same rule on the first call. */
#include <cpuid.h>

float physplug_sinf_sse2(float x);
float physplug_sinf_fma(float x);
float physplug_cosf_sse2(float x);
float physplug_cosf_fma(float x);
void physplug_sincosf_sse2(float x, float* s, float* c);
void physplug_sincosf_fma(float x, float* s, float* c);
float physplug_powf_sse2(float x, float y);
float physplug_powf_fma(float x, float y);

float sinf(float x);
float cosf(float x);
void sincosf(float x, float* s, float* c);
float powf(float x, float y);
void sincos(double x, double* s, double* c);
double sin(double x);
double cos(double x);

/* FMA and AVX2 usable: the processor has both and the system saves the YMM registers. */
static int fma_usable(void) {
  unsigned a, b, c, d;
  const unsigned fma = 1u << 12, osxsave = 1u << 27, avx = 1u << 28;
  if (!__get_cpuid(1, &a, &b, &c, &d) || (c & (fma | osxsave | avx)) != (fma | osxsave | avx)) return 0;
  unsigned xcr0_low, xcr0_high;
  __asm__("xgetbv" : "=a"(xcr0_low), "=d"(xcr0_high) : "c"(0));
  if ((xcr0_low & 6) != 6) return 0;
  if (__get_cpuid_max(0, 0) < 7) return 0;
  __cpuid_count(7, 0, a, b, c, d);
  return (b & (1u << 5)) != 0;
}

static int use_fma(void) {
  static int chosen = -1; /* -1: not asked yet; every thread finds the same answer */
  int v = __atomic_load_n(&chosen, __ATOMIC_RELAXED);
  if (v < 0) {
    v = fma_usable();
    __atomic_store_n(&chosen, v, __ATOMIC_RELAXED);
  }
  return v;
}

float sinf(float x) { return use_fma() ? physplug_sinf_fma(x) : physplug_sinf_sse2(x); }
float cosf(float x) { return use_fma() ? physplug_cosf_fma(x) : physplug_cosf_sse2(x); }
void sincosf(float x, float* s, float* c) {
  if (use_fma())
    physplug_sincosf_fma(x, s, c);
  else
    physplug_sincosf_sse2(x, s, c);
}
float powf(float x, float y) { return use_fma() ? physplug_powf_fma(x, y) : physplug_powf_sse2(x, y); }

/* GCC joins sin(x) and cos(x) into one sincos call; newlib has none, so it is the two. */
void sincos(double x, double* s, double* c) {
  *s = sin(x);
  *c = cos(x);
}
