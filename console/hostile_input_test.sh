#!/usr/bin/env bash
# Hostile input through the real program: words of 10 MB, a flood of white
# space and endless failed insertions. Each run must end in under a second
# with status 0 and the expected output, and its peak memory must not grow
# with the length of a word.
# Usage: hostile_input_test.sh PROGRAM
set -u
program=$1
# Scratch files stay in the test's own build folder, and no output file may
# grow past 100 MB, whatever the program does.
work=$(mktemp -d "$PWD/scratch.XXXXXX")
ulimit -f 102400
trap 'rm -rf "$work"' EXIT

P=$'\nYour Command [i d p f g s]? '
INS=$'Please enter integers to be inserted (-1 to stop)\n'
ERR=$'**** ERROR ****: Not a valid integer, input skipped!\n'
EMPTY=$'After: 0 Operations: content of myList-List: Head(-1)\n'
SEVEN=$'After: 1 Operations: content of myList-List: Head(0)\n\tRecordAdddress( 0)  Key=(    7) NextRecordAddress= -1\n'
TEN_MB=10000000

repeat() { head -c "$2" /dev/zero | tr '\0' "$1"; }

# Runs the program on $work/NAME.in; prints its peak resident memory in KiB.
measure() {
  /usr/bin/time -f '%e %M' -o "$work/$1.time" timeout 10 "$program" <"$work/$1.in" >"$work/$1.out"
  echo "$?" >"$work/$1.status"
}

printf 'q\n' >"$work/baseline.in"
measure baseline
read -r _ baseline <"$work/baseline.time"

failed=0
check() {
  local name=$1 expected=$2
  measure "$name"
  local seconds rss status
  read -r seconds rss <"$work/$name.time"
  status=$(cat "$work/$name.status")
  printf '%-24s %5ss %7s KiB peak (baseline %s KiB)\n' "$name" "$seconds" "$rss" "$baseline"
  if [ "$status" -ne 0 ]; then
    echo "  exit status $status, expected 0"
    failed=1
  fi
  if ! cmp -s <(printf '%s' "$expected") "$work/$name.out"; then
    echo "  output differs; it begins:"
    head -c 400 "$work/$name.out" | cat -A
    failed=1
  fi
  if awk -v s="$seconds" 'BEGIN { exit !(s >= 1.0) }'; then
    echo "  took $seconds s, expected under 1 s"
    failed=1
  fi
  if [ "$rss" -gt $((baseline + 1024)) ]; then
    echo "  peak memory grew with the input"
    failed=1
  fi
}

{ repeat p $TEN_MB; printf ' q\n'; } >"$work/long_command_word.in"
check long_command_word "$P$EMPTY$P"

{ printf 'i '; repeat 1 $TEN_MB; printf ' 5 -1\np\nq\n'; } >"$work/long_integer_word.in"
check long_integer_word "$P$INS$ERR$P$P$P$EMPTY$P"

{ printf 'i '; repeat 0 $TEN_MB; printf '7 -1\np\nq\n'; } >"$work/long_leading_zeros.in"
check long_leading_zeros "$P$INS$P$SEVEN$P"

{ repeat ' ' $TEN_MB; printf 'p'; repeat $'\n' $TEN_MB; } >"$work/white_space_flood.in"
check white_space_flood "$P$EMPTY$P"

{ printf 'i 1 2 3 4 5 6 7 8 9 10'; for _ in $(seq 20000); do printf ' 11'; done; } >"$work/endless_insertion.in"
warnings=$(for _ in $(seq 20000); do printf '%s\n' '**** WARNING ****: Out of memory: List insertion of 11 failed!!'; done)
check endless_insertion "$P$INS$warnings"$'\n'

exit $failed
