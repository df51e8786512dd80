#!/bin/sh
# check-imports.sh OBJDUMP PROGRAM.exe...: fails when a program imports a DLL
# outside the set that every Windows installation has.
set -eu
objdump=$1
shift
status=0
for program in "$@"; do
    for dll in $("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z'); do
        case "$dll" in
            kernel32.dll|user32.dll|gdi32.dll|comctl32.dll|comdlg32.dll|msvcrt.dll|advapi32.dll|\
            shell32.dll|ole32.dll|oleaut32.dll|shlwapi.dll|uxtheme.dll|version.dll|ws2_32.dll|\
            api-ms-win-*.dll) ;;
            *) echo "$program imports $dll, which not every Windows has" >&2; status=1 ;;
        esac
    done
done
exit $status
