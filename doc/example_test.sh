#!/usr/bin/env bash
# Keeps the examples of a document true: for each example it runs the
# program and compares what it prints with the example's output block.
#
# In Markdown an example is a fenced block after the line
# "<!-- example [NAME] input -->", which is piped to the program, and one
# after "<!-- example [NAME] output -->". In a man page the blocks are
# .EX ... .EE after the comment lines '.\" example NAME command', a shell
# command that is run with the program first on PATH, and
# '.\" example NAME output'; their roff escapes are undone first. Blocks
# after '.\" example NAME excerpt' are lines that the output of example NAME
# holds, together and in that order (the first may follow a prompt).
# Usage: example_test.sh PROGRAM DOCUMENT
set -u
program=$(realpath "$1")
document=$2
# Scratch files stay in the test's own build folder, and no output file may
# grow past 100 MB, whatever the program does.
work=$(mktemp -d "$PWD/scratch.XXXXXX")
ulimit -f 102400
trap 'rm -rf "$work"' EXIT

# Prints the block that follows the COUNT-th marker line "example WHAT"
# (WHAT is "NAME input", "NAME output" and so on; COUNT is 1 by default).
block() {
  awk -v what="example $1" -v count="${2:-1}" '
    $0 == "<!-- " what " -->" || $0 == ".\\\" " what { armed = (++seen == count); next }
    armed && /^```/ { if (inside) exit; inside = 1; next }
    armed && $0 == ".EX" { inside = 1; roff = 1; next }
    armed && roff && $0 == ".EE" { exit }
    inside && roff {
      gsub(/\\-/, "-"); gsub(/\\\(aq/, "\047"); gsub(/\\&/, ""); gsub(/\\e/, "\\")
    }
    inside { print }' "$document"
}

examples=$(sed -n -e 's/^<!-- example \(.*\)output -->$/\1/p' -e 's/^\.\\" example \(.*\)output$/\1/p' \
  "$document")
if [ -z "$examples" ]; then
  echo "no example in $document"
  exit 1
fi
failed=0
while IFS= read -r name; do
  block "${name}output" >"$work/expected"
  # The output ends in a prompt without a line end; the block adds one.
  if grep -q -F -x -e "<!-- example ${name}input -->" "$document"; then
    { block "${name}input" | timeout 10 "$program"; echo; } >"$work/actual"
  else
    command=$(block "${name}command")
    { PATH="$(dirname "$program"):$PATH" timeout 10 bash -c "$command"; echo; } >"$work/actual"
  fi
  excerpts=$(grep -c -F -x -e ".\\\" example ${name}excerpt" "$document")
  for count in $(seq "$excerpts"); do
    excerpt=$(block "${name}excerpt" "$count")
    if [[ "$(cat "$work/actual")"$'\n' != *"$excerpt"$'\n'* ]]; then
      echo "excerpt $count of example '${name% }' is not in the program's output:"
      printf '%s\n' "$excerpt"
      failed=1
    fi
  done
  if [ ! -s "$work/expected" ] || ! cmp -s "$work/expected" "$work/actual"; then
    echo "example '${name% }' of $document differs from the program's output (expected <, actual >):"
    diff "$work/expected" "$work/actual" | head -40
    failed=1
  else
    echo "example '${name% }' of $document: as the program prints it"
  fi
done <<<"$examples"
exit $failed
