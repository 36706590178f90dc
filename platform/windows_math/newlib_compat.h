/* Included before every newlib source: the names newlib's C library headers would give. */
#include <stdint.h>
typedef int32_t __int32_t;
typedef uint32_t __uint32_t;
#ifndef __P
#define __P(params) params
#endif
