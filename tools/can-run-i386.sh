#!/bin/sh
# can-run-i386.sh DIR: succeeds when this kernel runs 32-bit x86 programs. It compiles a tiny
# static i386 program into DIR and runs it; no guess from uname or the kernel's configuration.
# RAVELO_NO_I386=1 makes it fail, to try the path taken without them.
set -eu
[ "${RAVELO_NO_I386:-0}" = 1 ] && exit 1
mkdir -p "$1"
probe="$1/i386-probe"
if [ ! -x "$probe" ]; then
    printf 'int main(void) { return 0; }\n' | gcc -m32 -static -x c -o "$probe.tmp" -
    mv "$probe.tmp" "$probe"
fi
"$probe" 2>/dev/null
