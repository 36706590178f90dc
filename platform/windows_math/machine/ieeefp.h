/* newlib's fdlibm.h takes the byte order from this header of newlib's C library. */
#define __IEEE_LITTLE_ENDIAN
