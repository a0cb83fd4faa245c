#!/usr/bin/env bash
# The benchmark: pooled-list on long generated sessions, against the I/O floor.
#
# For a session of 100,000 commands and one ten times longer it measures
#   - write calls (strace), which must equal the flush points the session
#     requires, and read calls, at most one per 4 KiB of input plus a few;
#   - heap allocations (valgrind), which must not grow with the session;
#   - the median wall time of the program and of the floor, run by turns,
#     with output to /dev/null and to a pipe; the program's should be within
#     1.10 times the floor's.
# It builds what it runs in build-bench/, prints one table and writes it to
# build-bench/bench-results.md; with --publish it also puts it in
# bench/RESULTS.md and the README. Exits 1 when a count is off; a time over
# the target is reported as missed.
# Usage: bench/run.sh [--publish]   (RUNS=N sets the timed runs of each, 11 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
publish=0
case "${1:-}" in
  "") ;;
  --publish) publish=1 ;;
  *) echo "usage: bench/run.sh [--publish]" >&2; exit 2 ;;
esac
for tool in strace:strace valgrind:valgrind awk:mawk; do
  command -v "${tool%%:*}" >/dev/null 2>&1 ||
    { echo "bench/run.sh needs ${tool%%:*} (Debian package ${tool#*:})" >&2; exit 2; }
done
runs=${RUNS:-11}
echo "bench/run.sh: this takes about six minutes with $runs timed runs of each case (RUNS=$runs)"
build=build-bench
cmake -S . -B "$build" -DBUILD_TESTING=OFF -DPOOLED_LIST_BENCH=ON >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null
program=$build/pooled-list
floor=$build/bench/io_floor
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source bench/counting.sh

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Prints the wall time of one run in microseconds; $1 is null or pipe.
timed() {
  local sink=$1 input=$2
  shift 2
  local start=$EPOCHREALTIME
  if [ "$sink" = null ]; then
    "$@" <"$input" >/dev/null
  else
    "$@" <"$input" | cat >/dev/null
  fi
  local end=$EPOCHREALTIME
  echo $(( (${end/./} - ${start/./}) ))
}

counts="| session | commands | input | output | flush points | write calls | read calls (bound) | heap allocations |
|---|---|---|---|---|---|---|---|"
times="| session | output to | program, median | floor, median | ratio | target 1.10 | commands per second |
|---|---|---|---|---|---|---|"
failed=0
allocations=()
for commands in 100000 1000000; do
  name=$commands
  session=$work/$name.session
  "$build"/bench/make_session "$commands" 2026 >"$session"
  "$program" <"$session" >"$work/$name.output"
  flushes=$("$build"/bench/split_flushes "$work/$name.output" "$work/$name.lengths")
  input_bytes=$(stat -c %s "$session")
  output_bytes=$(stat -c %s "$work/$name.output")

  read -r reads writes < <(count_calls "$program" "$session")
  bound=$((input_bytes / 4096 + 8))
  [ "$writes" -eq "$flushes" ] || { echo "session $name: $writes write calls, $flushes flush points"; failed=1; }
  [ "$reads" -le "$bound" ] || { echo "session $name: $reads read calls, bound $bound"; failed=1; }

  allocs=$(count_allocations "$program" "$session")
  allocations+=("$allocs")

  counts+="
| $name | $commands | $((input_bytes / 1024)) KiB | $((output_bytes / 1048576)) MiB | $flushes | $writes | $reads ($bound) | $allocs |"

  for sink in null pipe; do
    : >"$work/a" && : >"$work/b"
    for _ in $(seq "$runs"); do
      timed "$sink" "$session" "$program" >>"$work/a"
      timed "$sink" "$session" "$floor" "$work/$name.output" "$work/$name.lengths" >>"$work/b"
    done
    a=$(median <"$work/a")
    b=$(median <"$work/b")
    read -r ratio verdict rate < <(awk -v a="$a" -v b="$b" -v n="$commands" \
      'BEGIN { r = a / b; printf "%.3f %s %.0f\n", r, (r <= 1.10 ? "met" : "missed"), n / (a / 1e6) }')
    label=$([ "$sink" = null ] && echo /dev/null || echo "a pipe")
    times+="
| $name | $label | $(awk -v a="$a" 'BEGIN { printf "%.1f ms", a / 1000 }') | $(awk -v b="$b" 'BEGIN { printf "%.1f ms", b / 1000 }') | $ratio | $verdict | $rate |"
  done
done
if [ "${allocations[0]}" != "${allocations[1]}" ]; then
  echo "heap allocations grow with the session: ${allocations[*]}"
  failed=1
fi

cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)
machine="$(nproc) cores of $cpu, $(free -g | awk '/^Mem:/ { print $2 }') GiB, Linux $(uname -r), $(g++ --version | head -n 1)"
report="Measured on $(date -u +%Y-%m-%d) by \`bench/run.sh\` ($runs timed runs of each, program and floor by turns) on $machine.

$counts

$times"
printf '%s\n' "$report"
printf '# Benchmark results\n\n%s\n' "$report" >"$build/bench-results.md"
if [ "$publish" = 1 ]; then
  cp "$build/bench-results.md" bench/RESULTS.md
  awk -v report="$report" '
    /<!-- bench results -->/ { print; print report; skip = 1; next }
    /<!-- end of bench results -->/ { skip = 0 }
    !skip { print }' README.md >"$work/README.md" && cp "$work/README.md" README.md
fi
exit $failed
