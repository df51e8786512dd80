// The MinGW runtime linked into the programs (winpthreads, for its timed waits) imports
// GetTickCount64, which Windows XP does not have: such a program would not even load there.
// Defining the import's pointer here, in an object linked into each program, takes the place
// of kernel32's: the runtime calls this instead, on every Windows.
#include <windows.h>

namespace {

// Milliseconds from the performance counter, which never fails on Windows XP and later.
// Split so that count * 1000 cannot overflow.
ULONGLONG WINAPI TickCount64() {
    LARGE_INTEGER count, frequency;
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    const ULONGLONG c = count.QuadPart, f = frequency.QuadPart;
    return c / f * 1000 + c % f * 1000 / f;
}

}  // namespace

#ifdef _WIN64
extern "C" ULONGLONG(WINAPI* const g_getTickCount64)() __asm__("__imp_GetTickCount64") = TickCount64;
#else
extern "C" ULONGLONG(WINAPI* const g_getTickCount64)() __asm__("__imp__GetTickCount64@0") = TickCount64;
#endif
