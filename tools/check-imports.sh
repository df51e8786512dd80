#!/bin/sh
# check-imports.sh OBJDUMP PROGRAM.exe...: fails when a program imports a function that
# is not in the reviewed list below, naming the function and its DLL. Run after each link.
#
# The list holds every function that Ravelo.exe and ravelo-convert.exe (x86 and x64) may
# import, the MinGW runtime's own imports included, and only from DLLs that every Windows
# has. Each was checked against the oldest Windows the program runs on: Windows XP SP3 for
# x86, Windows XP x64 / Server 2003 SP1 for x64. That Windows cannot be run here, so the
# review is from documentation:
#  - kernel32, user32, gdi32, comctl32, comdlg32, shell32: Microsoft's reference, "Minimum supported
#    client" Windows XP or older (the reference stops at XP: older ones are not named).
#    The x64 unwinding exports (RtlLookupFunctionEntry, RtlVirtualUnwind, RtlUnwindEx,
#    __C_specific_handler) have no version there; they are what every x64 program's
#    exception handling needs, and ReactOS's kernel32.spec, modelled on Server 2003, lists
#    them without its Vista mark (-version=0x600+), as it does every kernel32 entry here.
#  - msvcrt.dll: mingw-w64's msvcrt.def.in sorts the exports by the Windows that added
#    them; every entry here is in Windows NT 4.0's set or Windows XP's, and all of those
#    are in the first x64 msvcrt.dll (Server 2003 SP1 / XP x64).
# A new import needs the same review before it is added here. The build's _WIN32_WINNT
# keeps newer functions out of our own code; this list also catches the runtime's.
#
# Each line: ARCH DLL FUNCTION, ARCH being x86, x64 or * (both).
set -eu
reviewed='
*   comctl32.dll InitCommonControlsEx
*   comdlg32.dll GetOpenFileNameW
*   comdlg32.dll GetSaveFileNameW
*   kernel32.dll AddVectoredExceptionHandler       # XP
*   kernel32.dll CloseHandle
*   kernel32.dll CreateEventA
*   kernel32.dll CreateFileW
*   kernel32.dll CreateSemaphoreA
*   kernel32.dll DeleteCriticalSection
*   kernel32.dll DeleteFileW                       # the new file of a run that did not end
*   kernel32.dll DuplicateHandle
*   kernel32.dll EnterCriticalSection
*   kernel32.dll FlushFileBuffers
x86 kernel32.dll FreeLibrary
*   kernel32.dll GetConsoleMode
*   kernel32.dll GetCurrentDirectoryW
*   kernel32.dll GetCurrentProcess
*   kernel32.dll GetCurrentProcessId
*   kernel32.dll GetCurrentThread
*   kernel32.dll GetCurrentThreadId
*   kernel32.dll GetFileAttributesW
*   kernel32.dll GetFileInformationByHandle        # 2000; the identity of a file
*   kernel32.dll GetFileSizeEx                     # 2000
*   kernel32.dll GetFileType
*   kernel32.dll GetFullPathNameW                  # XP; platform/SystemPathWin32.cpp
*   kernel32.dll GetHandleInformation              # 2000
*   kernel32.dll GetLastError
*   kernel32.dll GetModuleFileNameW
x86 kernel32.dll GetModuleHandleA
*   kernel32.dll GetModuleHandleW
*   kernel32.dll GetProcAddress
*   kernel32.dll GetProcessAffinityMask
*   kernel32.dll GetStartupInfoA
*   kernel32.dll GetStartupInfoW
*   kernel32.dll GetStdHandle
*   kernel32.dll GetSystemTimeAsFileTime
*   kernel32.dll GetThreadContext
*   kernel32.dll GetThreadPriority
*   kernel32.dll GetTickCount                      # the painting clock of the window (GetTickCount64 is Vista: see TickCount64OnXp.cpp)
*   kernel32.dll InitializeCriticalSection
*   kernel32.dll IsDBCSLeadByteEx                  # 2000
*   kernel32.dll IsDebuggerPresent
*   kernel32.dll LeaveCriticalSection
x86 kernel32.dll LoadLibraryA
*   kernel32.dll LoadLibraryW
*   kernel32.dll MoveFileExW                       # MOVEFILE_WRITE_THROUGH: XP
*   kernel32.dll MultiByteToWideChar
*   kernel32.dll OpenProcess
*   kernel32.dll OutputDebugStringA
*   kernel32.dll QueryPerformanceCounter           # platform/win32/TickCount64OnXp.cpp
*   kernel32.dll QueryPerformanceFrequency         # platform/win32/TickCount64OnXp.cpp
*   kernel32.dll RaiseException
*   kernel32.dll ReadFile
*   kernel32.dll ReleaseSemaphore
*   kernel32.dll RemoveVectoredExceptionHandler    # XP
*   kernel32.dll ReplaceFileW                      # 2000; keeps attributes, ACL, creation time
*   kernel32.dll ResetEvent
*   kernel32.dll ResumeThread
x64 kernel32.dll RtlCaptureContext                 # XP
x64 kernel32.dll RtlLookupFunctionEntry            # x64 unwinding, no version in the reference: see above
x64 kernel32.dll RtlUnwindEx                       # x64 unwinding, see above
x64 kernel32.dll RtlVirtualUnwind                  # x64 unwinding, see above
*   kernel32.dll SetConsoleCtrlHandler             # Ctrl-C, Ctrl-Break, a closed console
*   kernel32.dll SetEndOfFile                      # a destination emptied once it is known not to be kept
*   kernel32.dll SetEvent
*   kernel32.dll SetFileAttributesW
*   kernel32.dll SetFileTime
*   kernel32.dll SetLastError
*   kernel32.dll SetProcessAffinityMask
*   kernel32.dll SetStdHandle                      # a missing standard handle replaced by NUL
*   kernel32.dll SetThreadContext
*   kernel32.dll SetThreadPriority
*   kernel32.dll SetUnhandledExceptionFilter
*   kernel32.dll Sleep
*   kernel32.dll SuspendThread
*   kernel32.dll TlsAlloc
*   kernel32.dll TlsGetValue
*   kernel32.dll TlsSetValue
*   kernel32.dll TryEnterCriticalSection           # NT 4.0
*   kernel32.dll VirtualProtect
*   kernel32.dll VirtualQuery
*   kernel32.dll WaitForMultipleObjects
*   kernel32.dll WaitForSingleObject
*   kernel32.dll WideCharToMultiByte
*   kernel32.dll WriteConsoleW
*   kernel32.dll WriteFile
x64 kernel32.dll __C_specific_handler              # x64 unwinding, see above; msvcrt.dll of XP x64 has it too
x64 msvcrt.dll   ___lc_codepage_func               # added with the msvcrt.dll of XP; x86 gets an emulation from mingw-w64
x64 msvcrt.dll   ___mb_cur_max_func                # added with the msvcrt.dll of XP; x86 gets an emulation from mingw-w64
*   msvcrt.dll   __getmainargs
*   msvcrt.dll   __initenv
x64 msvcrt.dll   __iob_func                        # added with the msvcrt.dll of XP
x86 msvcrt.dll   __mb_cur_max
x86 msvcrt.dll   __p__acmdln
x86 msvcrt.dll   __p__commode
x86 msvcrt.dll   __p__fmode
x86 msvcrt.dll   __p__wcmdln
*   msvcrt.dll   __set_app_type
*   msvcrt.dll   __setusermatherr
*   msvcrt.dll   __wgetmainargs
*   msvcrt.dll   __winitenv
x64 msvcrt.dll   _acmdln
*   msvcrt.dll   _amsg_exit
*   msvcrt.dll   _beginthreadex
*   msvcrt.dll   _cexit
*   msvcrt.dll   _close
x64 msvcrt.dll   _commode
*   msvcrt.dll   _endthreadex
*   msvcrt.dll   _errno
x64 msvcrt.dll   _fmode
*   msvcrt.dll   _initterm
x86 msvcrt.dll   _iob
*   msvcrt.dll   _onexit
*   msvcrt.dll   _read
x64 msvcrt.dll   _setjmp
x86 msvcrt.dll   _setjmp3
*   msvcrt.dll   _strdup
*   msvcrt.dll   _ultoa
x64 msvcrt.dll   _wcmdln
*   msvcrt.dll   _wcsicmp                          # NT 4.0; "NUL" in any letter case
*   msvcrt.dll   abort
x86 msvcrt.dll   atoi
*   msvcrt.dll   calloc
*   msvcrt.dll   exit
*   msvcrt.dll   fprintf
*   msvcrt.dll   fputc
*   msvcrt.dll   fputs
*   msvcrt.dll   free
*   msvcrt.dll   fwrite
*   msvcrt.dll   localeconv
*   msvcrt.dll   longjmp
*   msvcrt.dll   malloc
*   msvcrt.dll   memchr
*   msvcrt.dll   memcmp
*   msvcrt.dll   memcpy
*   msvcrt.dll   memmove
*   msvcrt.dll   memset
*   msvcrt.dll   printf
*   msvcrt.dll   realloc
x86 msvcrt.dll   setlocale
*   msvcrt.dll   signal
x86 msvcrt.dll   strchr
*   msvcrt.dll   strcmp
*   msvcrt.dll   strerror
*   msvcrt.dll   strlen
*   msvcrt.dll   strncmp
*   msvcrt.dll   strstr
*   msvcrt.dll   vfprintf
*   msvcrt.dll   wcslen
*   shell32.dll  DragAcceptFiles                   # XP; a file dropped onto the window (platform/win32/DroppedFiles.h)
*   shell32.dll  DragFinish                        # XP
*   shell32.dll  DragQueryFileW                    # XP
*   shell32.dll  DragQueryPoint                    # XP
*   user32.dll   AppendMenuW
*   user32.dll   BeginPaint
*   user32.dll   CreateDialogParamW
*   user32.dll   DestroyWindow
*   user32.dll   DispatchMessageW                  # 2000; what a run takes from the queue
*   user32.dll   DialogBoxParamW
*   user32.dll   DrawIcon
*   user32.dll   EnableMenuItem                    # 2000; the close box and the About item greyed during a run
*   user32.dll   EnableWindow
*   user32.dll   EndDialog
*   user32.dll   EndPaint
*   user32.dll   GetActiveWindow
*   user32.dll   GetClientRect
*   user32.dll   GetDlgItem
*   user32.dll   GetMenuItemCount                  # 2000
*   user32.dll   GetMenuItemID                     # 2000
*   user32.dll   GetSystemMenu
*   user32.dll   GetSystemMetrics
*   user32.dll   GetWindow
x64 user32.dll   GetWindowLongPtrW                 # 64-bit user32 only (x86: a macro for GetWindowLongW)
x86 user32.dll   GetWindowLongW
*   user32.dll   GetWindowRect
*   user32.dll   GetWindowTextLengthW
*   user32.dll   GetWindowTextW
*   user32.dll   InvalidateRect
*   user32.dll   IsChild                           # 2000; input aimed at a control during a run
*   user32.dll   IsIconic
*   user32.dll   IsWindow
*   user32.dll   IsWindowEnabled                   # 2000
*   user32.dll   LoadIconW
*   user32.dll   LoadStringW
*   user32.dll   MapWindowPoints                   # 2000
*   user32.dll   MessageBoxW
*   user32.dll   PeekMessageW                      # 2000; a run answers other threads
*   user32.dll   PostQuitMessage                   # 2000
*   user32.dll   PtInRect                          # 2000
*   user32.dll   RedrawWindow
*   user32.dll   SendMessageW
x64 user32.dll   SetWindowLongPtrW                 # 64-bit user32 only (x86: a macro for SetWindowLongW)
x86 user32.dll   SetWindowLongW
*   user32.dll   SetWindowPos
*   user32.dll   SetWindowTextW
*   user32.dll   ShowWindow                        # 2000; minimise and restore while the box of a run waits
*   user32.dll   TranslateMessage                  # 2000; system keys during a run
'
objdump=$1
shift
status=0
for program in "$@"; do
    case $("$objdump" -f "$program") in
        *pei-i386*) arch=x86 ;;
        *pei-x86-64*) arch=x64 ;;
        *) echo "$program: not an x86 or x64 Windows program" >&2; status=1; continue ;;
    esac
    # Import tables: a "DLL Name:" line, then one line per function (or ordinal), then a blank.
    "$objdump" -p "$program" | REVIEWED=$reviewed awk -v arch="$arch" -v program="$program" '
        BEGIN {
            n = split(ENVIRON["REVIEWED"], lines, "\n")
            for (i = 1; i <= n; i++)
                if (split(lines[i], f, " ") >= 3 && (f[1] == "*" || f[1] == arch)) allowed[f[2] " " f[3]] = 1
        }
        /^\tDLL Name: / { dll = tolower($3); next }
        dll != "" && /^\t[0-9a-fA-F]+\t/ {
            name = ($3 == "" || $3 == "<none>") ? "ordinal " $2 : $3
            seen++
            if (!((dll " " name) in allowed)) {
                printf "%s (%s) imports %s from %s, which is not in the reviewed list of tools/check-imports.sh (functions of the oldest Windows it runs on)\n", program, arch, name, dll > "/dev/stderr"
                bad = 1
            }
            next
        }
        /^[^\t]/ || /^$/ { dll = "" }
        END {
            if (!seen) { printf "%s: no imports found in objdump'"'"'s output\n", program > "/dev/stderr"; exit 1 }
            exit bad
        }' || status=1
done
exit $status
