#!/bin/sh
# check-manifest.sh PROGRAM.exe...: fails unless each program's embedded manifest asks to run as
# its invoker: <requestedExecutionLevel level="asInvoker" uiAccess="false"/>. Without it Windows
# Vista and later run a 32-bit program virtualized, so a write refused under Program Files goes
# to the user's VirtualStore instead of failing, and a RAVELO.INI may be read from there. Run
# after each link; it reads the manifest embedded in the program (tools/pe-resources.py).
set -eu
tools=$(cd "$(dirname "$0")" && pwd)
status=0
for program in "$@"; do
    level=$(python3 "$tools/pe-resources.py" manifest "$program" | tr '\n' ' ' |
        grep -o '<requestedExecutionLevel [^>]*>' || true)
    case $level in
        *'level="asInvoker"'*'uiAccess="false"'* | *'uiAccess="false"'*'level="asInvoker"'*) ;;
        *)
            echo "$program: its manifest does not ask level=\"asInvoker\" uiAccess=\"false\" (requestedExecutionLevel), so Windows would virtualize its writes: ${level:-none}" >&2
            status=1
            ;;
    esac
done
exit $status
