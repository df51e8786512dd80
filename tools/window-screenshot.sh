#!/bin/sh
# window-screenshot.sh RAVELO.EXE OUTPUT.png: converts a sample channel file in
# the window under Xvfb, as a user would by typing, and photographs the result.
set -eu
exe=$(readlink -f "$1")
out=$(readlink -f "$2")
here=$(dirname "$(readlink -f "$0")")
work=$(mktemp -d)
prefix=$(dirname "$exe")/../wineprefix
trap 'WINEPREFIX=$prefix /usr/lib/wine/wineserver -k 2>/dev/null || true; kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT

cd "$work"
printf '; Ravelo\r\nSRD: 27500 > 27500\r\nSRD: 22000 > 22000\r\nSRH: 6B6C > 6B6D\r\nSRD: 30000 > 29950\r\n' > RAVELO.INI
python3 - <<'PY'
import struct
rates = [27500, 22000, 27500, 30000, 5632, 27500, 17000, 22000, 27495, 28000, 30000, 6111, 27500, 4000, 22000] * 4
with open("canais.dvb", "wb") as f:
    for rate in rates:
        record = bytearray(64)
        record[10:12] = struct.pack(">H", rate)
        f.write(record)
PY

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
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
import -window root -crop "$((WIDTH + 8))x$((HEIGHT + 8))+$((X - 4))+$((Y - 4))" +repage "$out"
