#!/usr/bin/env bash
# The program's I/O discipline on a generated session of every kind of
# command: exactly one write per flush point, reads in large blocks, and no
# heap allocation at all.
# Usage: io_counts_test.sh PROGRAM MAKE_SESSION SPLIT_FLUSHES
set -u
program=$1
make_session=$2
split_flushes=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$make_session" 5000 7 >"$work/session"
"$program" <"$work/session" >"$work/output"
flushes=$("$split_flushes" "$work/output" "$work/lengths")
strace -c -e trace=read,write -o "$work/strace" "$program" <"$work/session" >/dev/null
writes=$(awk '$NF == "write" { print $4 }' "$work/strace")
reads=$(awk '$NF == "read" { print $4 }' "$work/strace")
bound=$(($(stat -c %s "$work/session") / 4096 + 8))
valgrind --tool=memcheck "$program" <"$work/session" >/dev/null 2>"$work/valgrind"
allocs=$(sed -n 's/.*total heap usage: \([0-9,]*\) allocs.*/\1/p' "$work/valgrind")

echo "flush points $flushes, write calls $writes, read calls $reads (bound $bound), heap allocations $allocs"
failed=0
[ "$flushes" -gt 1000 ] || { echo "the session flushes too little to show anything"; failed=1; }
[ "$writes" = "$flushes" ] || { echo "write calls differ from flush points"; failed=1; }
[ -n "$reads" ] && [ "$reads" -le "$bound" ] || { echo "too many read calls"; failed=1; }
[ "$allocs" = 0 ] || { echo "the program allocated"; failed=1; }
exit $failed
