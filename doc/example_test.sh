#!/usr/bin/env bash
# Keeps the README's example true: runs the program on the example's input and
# compares its output with the example's output block.
# Usage: readme_example_test.sh PROGRAM README.md
set -u
program=$1
readme=$2

# Prints the fenced block that follows the line "<!-- example NAME -->".
block() {
  awk -v marker="<!-- example $1 -->" '
    $0 == marker { armed = 1; next }
    armed && /^```/ { if (inside) exit; inside = 1; next }
    inside { print }' "$readme"
}

expected=$(mktemp)
actual=$(mktemp)
trap 'rm -f "$expected" "$actual"' EXIT
block output >"$expected"
# The output ends in a prompt without a line end; the block adds one.
{ block input | timeout 10 "$program"; echo; } >"$actual"
if [ ! -s "$expected" ] || ! cmp -s "$expected" "$actual"; then
  echo "the README's example output differs from the program's (expected <, actual >):"
  diff "$expected" "$actual" | head -40
  exit 1
fi
