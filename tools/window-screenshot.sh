#!/bin/sh
# window-screenshot.sh RAVELO.EXE OUTPUT.png: converts the bundled example in
# the window under Xvfb, as a user would by typing, and photographs the result.
set -eu
exe=$(readlink -f "$1")
out=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")
work=$(mktemp -d)
prefix=$(dirname "$exe")/../wineprefix
trap 'WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

cd "$work"
cp "$here/../examples/RAVELO.INI" "$here/../examples/canais.dvb" .

display=:$(( $$ % 500 + 100 ))
Xvfb "$display" -screen 0 800x600x24 >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
"$here/../cmake/wine-run.sh" "$prefix" "$exe" >/dev/null 2>&1 &
window=
for _ in $(seq 100); do
    window=$(xdotool search --name "Marquelint ajustador" 2>/dev/null | head -1) || true
    [ -n "$window" ] && break
    sleep 0.2
done
[ -n "$window" ] || { echo "the window did not open" >&2; exit 1; }
xdotool windowfocus --sync "$window"
xdotool type --delay 20 canais.dvb
xdotool key Tab Tab
xdotool type --delay 20 convertido.dvb
xdotool key Return
for _ in $(seq 50); do
    xdotool search --name "^Ravelo$" >/dev/null 2>&1 && break
    sleep 0.2
done
xdotool key Return
# Wait until the message box is gone and the window has its focus back.
for _ in $(seq 50); do
    xdotool search --name "^Ravelo$" >/dev/null 2>&1 || break
    sleep 0.2
done
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "$((WIDTH + 8))x$((HEIGHT + 8))+$((X - 4))+$((Y - 4))" +repage "$out"
