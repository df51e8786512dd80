#!/bin/sh
# window-screenshot.sh RAVELO.EXE WINDOW.png [ABOUT.png]: converts the bundled
# example in the window under Xvfb, as a user would by typing, photographs the
# window, then opens the About box from the system menu and photographs it.
# It uses an X display and a Wine prefix of its own (build/<preset>/wineprefix-screenshot),
# so it can run beside the tests.
# DPI=144 (or 192, ...) takes them at that display scale (96 by default); CHANNELS=FILE
# converts that channel file instead of the example (many rates make the list scroll).
set -eu
exe=$(readlink -f "$1")
out=$(readlink -f "$2")
about=${3:+$(readlink -f "$3")}
here=$(dirname "$(readlink -f "$0")")
work=$(mktemp -d)
prefix=$(dirname "$(dirname "$exe")")/wineprefix-screenshot
xvfb=
cleanup() {
    WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cd "$work"
cp "$here/../examples/RAVELO.INI" .
cp "${CHANNELS:-$here/../examples/canais.dvb}" canais.dvb

# Xvfb picks a free display and writes its number to fd 3.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1600x1200x24 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    grep -q . "$work/display" 2>/dev/null && break
    sleep 0.1
done
DISPLAY=:$(head -1 "$work/display")
export DISPLAY

wait_for() {  # wait_for NAME: the id of the first window with that title, within 60 s
    for _ in $(seq 300); do
        found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.2
    done
    echo "window-screenshot: no window '$1' within 60 s (the prefix was ready); the visible windows:" >&2
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        echo "  '$(xdotool getwindowname "$id" 2>/dev/null)'" >&2
    done
    return 1
}
wait_gone() {
    for _ in $(seq 50); do
        xdotool search --name "$1" >/dev/null 2>&1 || return 0
        sleep 0.2
    done
}
# Wine draws the frames itself (no window manager), so the X window's rectangle
# is the whole window with its frame: the picture holds that and nothing else.
photograph() {  # photograph WINDOW FILE
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

# A new prefix takes about 20 s to make: first the prefix (its own limit), then the window.
timeout 300 "$here/../cmake/wine-run.sh" "$prefix" wineboot || {
    echo "window-screenshot: the Wine prefix $prefix was not ready within 300 s (status $?)" >&2
    exit 1
}
# The scale is read when a program starts, from the key Windows' display settings write.
"$here/../cmake/wine-run.sh" "$prefix" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD \
    /d "${DPI:-96}" /f >/dev/null 2>&1
"$here/../cmake/wine-run.sh" "$prefix" "$exe" >/dev/null 2>&1 &
window=$(wait_for "Marquelint ajustador")
xdotool windowfocus --sync "$window"
xdotool type --delay 20 canais.dvb
xdotool key Tab Tab
xdotool type --delay 20 convertido.dvb
xdotool key Return
wait_for "^Ravelo$" >/dev/null
xdotool key Return
wait_gone "^Ravelo$"
sleep 1
photograph "$window" "$out"

[ -n "$about" ] || exit 0
# The system menu (Alt+Space), then its last item, "Acerca do Ravelo..."
# (Wine's menu has an "About Wine" of its own, so not by its letter).
xdotool key alt+space
sleep 0.5
xdotool key Up Return
box=$(wait_for "^Acerca do Ravelo")
sleep 1
photograph "$box" "$about"
xdotool key Escape
