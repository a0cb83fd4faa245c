#!/usr/bin/env bash
# The real program when its standard output or input fails: one line on
# standard error, exit status 1, and standard output holds exactly what was
# written before the failure. A reader that goes away with SIGPIPE at its
# default still ends the program by the signal, as with any filter.
# Every run is bounded: a program that does not stop fails the test.
# Usage: io_errors_test.sh PROGRAM CASE
#   CASE is closed_output, full_device, lost_reader, lost_reader_default_signal
#   or input_directory; lost_reader needs strace.
set -u
program=$1
case=$2
# Scratch files stay in the test's own build folder, and no output file may
# grow past 100 MB, whatever the program does.
work=$(mktemp -d "$PWD/scratch.XXXXXX")
ulimit -f 102400
trap 'rm -rf "$work"' EXIT

failed=0
expect() {
  local what=$1 expected=$2 actual=$3
  if [ "$expected" != "$actual" ]; then
    printf '%s: expected %q, got %q\n' "$what" "$expected" "$actual"
    failed=1
  fi
}

# Standard error must hold exactly one line, LINE, or nothing when LINE is
# empty.
expect_error() {
  local expected=${1:+$1$'\n'}
  if ! cmp -s "$work/err" <(printf '%s' "$expected"); then
    printf 'standard error: expected %q, got %q\n' "$expected" "$(cat -A "$work/err")"
    failed=1
  fi
}

# Enough output that the reader is gone long before the program is done.
for _ in $(seq 20000); do printf 'f\n'; done >"$work/long.in"
timeout 10 "$program" <"$work/long.in" >"$work/long.out" 2>/dev/null

case $case in
  closed_output)
    printf 'i 1 2 3 -1\np\nf\nq\n' | timeout 10 "$program" >&- 2>"$work/err"
    expect "exit status" 1 "${PIPESTATUS[1]}"
    expect_error "pooled-list: write error: Bad file descriptor"
    ;;
  full_device)
    printf 'i 1 2 3 -1\np\nf\nq\n' | timeout 10 "$program" >/dev/full 2>"$work/err"
    expect "exit status" 1 "${PIPESTATUS[1]}"
    expect_error "pooled-list: write error: No space left on device"
    ;;
  lost_reader)
    # strace logs only the calls that failed; the program must stop at the
    # first one.
    (
      trap '' PIPE
      timeout 10 strace -Z -e trace=write -o "$work/failed_calls" "$program" <"$work/long.in" 2>"$work/err" |
        head -c 1000 >"$work/out"
      echo "${PIPESTATUS[0]}" >"$work/status"
    )
    expect "exit status" 1 "$(cat "$work/status")"
    expect_error "pooled-list: write error: Broken pipe"
    expect "failed write calls" 1 "$(grep -c '^write(1, .*EPIPE' "$work/failed_calls")"
    cmp -s "$work/out" <(head -c 1000 "$work/long.out") || {
      echo "what the reader got is not the start of the output"
      failed=1
    }
    ;;
  lost_reader_default_signal)
    timeout 10 env --default-signal=PIPE "$program" <"$work/long.in" 2>"$work/err" | head -c 1000 >"$work/out"
    expect "exit status" $((128 + 13)) "${PIPESTATUS[0]}"
    expect_error ""
    ;;
  input_directory)
    timeout 10 "$program" <"$work" >"$work/out" 2>"$work/err"
    expect "exit status" 1 "$?"
    expect_error "pooled-list: read error: Is a directory"
    cmp -s "$work/out" <(printf '\nYour Command [i d p f g s]? ') || {
      echo "standard output is not the one prompt written before the read:"
      cat -A "$work/out"
      failed=1
    }
    ;;
  *)
    echo "unknown case $case"
    exit 2
    ;;
esac
exit $failed
