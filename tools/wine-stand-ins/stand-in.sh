#!/bin/sh
# stand-in.sh STATUS_FILE COMMAND ARGS...: what tools/windows-suites.cmd asks of two Windows commands
# that Wine 8 lacks, done with Debian's unzip and cmp: "tar -xf ZIP -C FOLDER", and "fc /b A B",
# which lists each differing byte as "OFFSET: OLD NEW" in hexadecimal (lines end in CR LF as there). Wine starts it as a Unix
# program from stand-in.cmd, with Wine's names (Z:\...); its output goes to STATUS_FILE.out, then
# its status to STATUS_FILE, which stand-in.cmd waits for.
set -u
unix() {
    case $1 in
        [Zz]:*) printf '%s\n' "${1#??}" | tr '\\' / ;;
        ?:*) echo "stand-in.sh: $1 is not on drive Z:" >&2; return 1 ;;
        *) printf '%s\n' "$1" | tr '\\' / ;;
    esac
}
done=$(unix "$1") || exit 1
command=$2
shift 2
run() {
    case "$command $# ${1:-} ${3:-}" in
        "tar 4 -xf -C")
            zip=$(unix "$2") && folder=$(unix "$4") && unzip -q "$zip" -d "$folder" ;;
        "fc 3 /b "* | "fc 3 /B "*)
            a=$(unix "$2") && b=$(unix "$3") || return 2
            printf 'Comparing files %s and %s\r\n' "$2" "$3"
            cmp -l "$a" "$b" | while read -r at old new; do
                printf '%08X: %02X %02X\r\n' $((at - 1)) "0$old" "0$new"
            done
            cmp -s "$a" "$b" ;;
        *)
            echo "stand-in.sh: no stand-in for: $command $*" >&2
            return 2 ;;
    esac
}
run "$@" >"$done.out" 2>&1
echo $? >"$done.tmp"
mv "$done.tmp" "$done"
