#!/bin/sh
# Runs a Windows program under Wine in a private prefix: wine-run.sh [-32] PREFIX PROGRAM [ARGS...]
# Without -32: a 64-bit program under wine64. With -32: a 32-bit program under Debian's
# 32-bit wine, in a 32-bit prefix (WINEARCH=win32), the Windows it is made for.
# PREFIX must be an absolute path (Wine refuses a relative one). The prefix is made once, in
# about 20 s (guarded by a lock, so parallel tests wait for it); each of those waits has a limit
# that says which one ran out.
set -eu
if [ "$1" = -32 ]; then
    shift
    WINE=${WINE:-/usr/lib/wine/wine}
    export WINEARCH=win32
else
    WINE=${WINE:-/usr/lib/wine/wine64}
    export WINEARCH=win64
fi
prefix=$1
shift
case $prefix in
    /*) ;;
    *) echo "wine-run.sh: the prefix must be an absolute path, not '$prefix'" >&2; exit 2 ;;
esac
limit=300
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/.ready" ]; then
    mkdir -p "$prefix"
    (
        flock -w "$limit" 9 || {
            echo "wine-run.sh: another run was still making the Wine prefix $prefix after $limit s" >&2
            exit 1
        }
        if [ ! -f "$prefix/.ready" ]; then
            timeout "$limit" "$WINE" wineboot --init >/dev/null 2>&1 || {
                echo "wine-run.sh: wineboot did not make the Wine prefix $prefix within $limit s (status $?)" >&2
                exit 1
            }
            # A crash must fail the test, not wait for someone to close a dialog.
            "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
            # Wine draws the windows' frames itself instead of waiting for a window
            # manager; under Xvfb there is none, and each hidden window would wait 2 s.
            "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
            "${WINESERVER:-/usr/lib/wine/wineserver}" -w
            # Wine's own fonts (Debian's fonts-wine): MS Sans Serif as the
            # templates ask, Marlett for the caption buttons. This Wine reads
            # them only from the prefix's Fonts folder.
            if [ -d /usr/share/wine/fonts ]; then
                ln -sf /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
            fi
            touch "$prefix/.ready"
        fi
    ) 9>"$prefix.lock"
fi
exec "$WINE" "$@"
