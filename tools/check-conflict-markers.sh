#!/bin/sh
# check-conflict-markers.sh [FILE...]: fails on a merge leftover, naming file and line: a line
# that starts with "<<<<<<< ", "||||||| " or ">>>>>>> ", or a line that is exactly "=======" (in
# Markdown that may underline a heading, so there it is allowed). Without FILEs it reads every
# file that git tracks, as it stands in the working tree; binary files are skipped.
set -eu
cr=$(printf '\r')
sides='^(<<<<<<<|[|]{7}|>>>>>>>) '
middle="^=======$cr?\$"
if [ $# -eq 0 ]; then
    git rev-parse --is-inside-work-tree >/dev/null
    list() { git ls-files -z; }
else
    list() { printf '%s\0' "$@"; }
fi
found=$( {
    list "$@" | xargs -0 -r grep -HnIsE -- "$sides" || true
    list "$@" | grep -zv '\.md$' | xargs -0 -r grep -HnIsE -- "$middle" || true
} | sort -t: -k1,1 -k2,2n)
[ -z "$found" ] && exit 0
printf '%s\n' "$found" | tr -d '\r' | sed 's/^\([^:]*:[0-9]*\):/conflict marker: \1: /' >&2
exit 1
