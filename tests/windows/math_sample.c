/* Prints a digest of the C library's float functions over a fixed sample of arguments, one line
   per function. Built for Linux against glibc and for Windows against platform/windows_math,
   the two must print the same lines (tests/windows/math_match.sh).
   usage: math_sample [sse2]   (sse2: on Windows the SSE2 builds of the four functions glibc
   builds twice; on Linux that is glibc's choice when GLIBC_TUNABLES turns FMA and AVX2 off) */
#define _GNU_SOURCE
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#ifdef _WIN32
void sincosf(float x, float* s, float* c);
float physplug_sinf_sse2(float x);
float physplug_cosf_sse2(float x);
void physplug_sincosf_sse2(float x, float* s, float* c);
float physplug_powf_sse2(float x, float y);
#define SSE2(name) physplug_##name##_sse2
#else
#define SSE2(name) name
#endif

static int sse2;
static float cosine; /* sincosf's second result */

static uint32_t bits(float f) {
  uint32_t u;
  memcpy(&u, &f, sizeof u);
  return u;
}

static float from_bits(uint32_t u) {
  float f;
  memcpy(&f, &u, sizeof f);
  return f;
}

/* FNV-1a over the result bits: equal digests mean equal results (a mismatch shows as a change). */
static uint64_t mix(uint64_t h, uint32_t v) {
  for (int i = 0; i < 4; ++i) h = (h ^ ((v >> (8 * i)) & 0xff)) * 0x100000001b3ull;
  return h;
}

static uint32_t state = 12345;
static uint32_t next(void) { return state = state * 1664525u + 1013904223u; }

/* A float in [-range, range] made of random bits, so that every exponent below range occurs. */
static float random_in(float range) {
  float f = from_bits(next() & 0x7fffffff);
  while (!(f <= range)) f = from_bits(next() & 0x7fffffff);
  return next() & 1 ? -f : f;
}

static float unary(const char* name, float x) {
  float s, c;
  if (!strcmp(name, "sinf")) return sse2 ? SSE2(sinf)(x) : sinf(x);
  if (!strcmp(name, "cosf")) return sse2 ? SSE2(cosf)(x) : cosf(x);
  if (!strcmp(name, "sincosf")) {
    if (sse2)
      SSE2(sincosf)(x, &s, &c);
    else
      sincosf(x, &s, &c);
    cosine = c;
    return s;
  }
  if (!strcmp(name, "asinf")) return asinf(x);
  if (!strcmp(name, "acosf")) return acosf(x);
  return atanf(x);
}

static float binary(const char* name, float x, float y) {
  if (!strcmp(name, "powf")) return sse2 ? SSE2(powf)(x, y) : powf(x, y);
  if (!strcmp(name, "atan2f")) return atan2f(x, y);
  return fmodf(x, y);
}

int main(int argc, char** argv) {
  sse2 = argc > 1 && !strcmp(argv[1], "sse2");
  /* Unary: every 509th float (8.4 million arguments, all signs and exponents). */
  const char* unaries[] = {"sinf", "cosf", "sincosf", "asinf", "acosf", "atanf"};
  for (int f = 0; f < 6; ++f) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (uint64_t u = 0; u < (1ull << 32); u += 509) {
      h = mix(h, bits(unary(unaries[f], from_bits((uint32_t)u))));
      if (f == 2) h = mix(h, bits(cosine));
    }
    printf("%-8s %016llx\n", unaries[f], (unsigned long long)h);
  }
  /* Binary: 4 million random pairs each, in the ranges the physics uses and beyond. */
  const char* binaries[] = {"powf", "atan2f", "fmodf"};
  for (int f = 0; f < 3; ++f) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (int i = 0; i < 4000000; ++i) {
      float x = f == 0 ? fabsf(random_in(4.0f)) : random_in(f == 2 ? 1e4f : 2.0f);
      float y = f == 0 ? random_in(64.0f) : random_in(2.0f);
      h = mix(h, bits(binary(binaries[f], x, y)));
    }
    printf("%-8s %016llx\n", binaries[f], (unsigned long long)h);
  }
  return 0;
}
