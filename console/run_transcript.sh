#!/usr/bin/env bash
# Runs the program with NAME.in piped to its standard input and compares its
# standard output with NAME.out byte for byte; its exit status must be 0 and
# its standard error empty.
# Usage: run_transcript.sh PROGRAM NAME.in
# RUN_WITH, when set, is a command to run the program under (valgrind, say).
set -u
program=$1
input=$2
expected=${input%.in}.out
# Scratch files stay in the test's own build folder, and no output file may
# grow past 100 MB, whatever the program does.
work=$(mktemp -d "$PWD/scratch.XXXXXX")
ulimit -f 102400
trap 'rm -rf "$work"' EXIT
actual=$work/output
errors=$work/errors

read -ra wrapper <<<"${RUN_WITH:-}"
if [ ${#wrapper[@]} -gt 0 ] && ! command -v "${wrapper[0]}" >/dev/null 2>&1; then
  echo "skipped: RUN_WITH names ${wrapper[0]}, which is not installed"
  exit 77
fi
cat "$input" | timeout 60 "${wrapper[@]}" "$program" >"$actual" 2>"$errors"
status=${PIPESTATUS[1]}
failed=0
if [ "$status" -ne 0 ]; then
  echo "exit status $status, expected 0"
  failed=1
fi
if [ -s "$errors" ]; then
  echo "standard error is not empty:"
  head -c 2000 "$errors"
  failed=1
fi
if ! cmp -s "$expected" "$actual"; then
  echo "standard output differs from $expected (expected <, actual >; \$ marks a line end):"
  diff <(cat -A "$expected") <(cat -A "$actual") | head -40
  failed=1
fi
exit $failed
