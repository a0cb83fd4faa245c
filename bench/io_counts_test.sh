#!/usr/bin/env bash
# The program's I/O discipline on a generated session of every kind of
# command: exactly one write per flush point, reads in large blocks, and no
# heap allocation at all.
# Usage: io_counts_test.sh PROGRAM MAKE_SESSION SPLIT_FLUSHES
set -u
program=$1
make_session=$2
split_flushes=$3
# Scratch files stay in the test's own build folder, and no output file may
# grow past 100 MB, whatever the program does.
work=$(mktemp -d "$PWD/scratch.XXXXXX")
ulimit -f 102400
trap 'rm -rf "$work"' EXIT
source "$(dirname "$0")/counting.sh"

"$make_session" 5000 7 >"$work/session"
timeout 10 "$program" <"$work/session" >"$work/output"
flushes=$("$split_flushes" "$work/output" "$work/lengths")
read -r reads writes < <(count_calls "$program" "$work/session")
bound=$(($(stat -c %s "$work/session") / 4096 + 8))
allocs=$(count_allocations "$program" "$work/session")

echo "flush points $flushes, write calls $writes, read calls $reads (bound $bound), heap allocations $allocs"
failed=0
[ "$flushes" -gt 1000 ] || { echo "the session flushes too little to show anything"; failed=1; }
[ "$writes" = "$flushes" ] || { echo "write calls differ from flush points"; failed=1; }
[ -n "$reads" ] && [ "$reads" -le "$bound" ] || { echo "too many read calls"; failed=1; }
[ "$allocs" = 0 ] || { echo "the program allocated"; failed=1; }
exit $failed
