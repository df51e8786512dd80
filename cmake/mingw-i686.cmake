set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# SSE2 arithmetic, not x87: x87 keeps 64-bit precision (MinGW's start-up sets it), so the
# progress percentage, which is rounded to double at each step, would come out one point off.
# Minimum processor: SSE2 (Pentium 4, Athlon 64 or later). Windows calls the window and thread
# procedures with a stack aligned to 4 bytes only: -mstackrealign realigns where SSE data on
# the stack needs 16 (this GCC already turns it on with -msse2; it is said here to stay so).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mstackrealign")
