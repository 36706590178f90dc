# Cross-compiling for Windows x64 with Debian's mingw-w64 (posix thread model: std::thread and
# std::mutex need it; everything is linked statically, so no winpthread DLL is needed at run
# time). Programs built with it run under wine64 (scripts/windows-run), as ctest runs the tests.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/windows-run)
# mingw-w64's headers define some C library functions inline; math.h's powf, for one, as
# (float)pow((double)x, (double)y), which rounds differently from glibc's powf. Without the inline
# definitions every such call reaches the functions of platform/windows_math (Bullet is built
# with this file too).
set(CMAKE_C_FLAGS_INIT "-D__CRT__NO_INLINE")
set(CMAKE_CXX_FLAGS_INIT "-D__CRT__NO_INLINE")
