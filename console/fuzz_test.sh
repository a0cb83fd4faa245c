#!/usr/bin/env bash
# Runs the libFuzzer target for SECONDS on a corpus in WORK grown from the
# transcripts' inputs and the kept findings. An input that breaks the program
# is left in WORK/findings, to be kept in console/fuzz_regressions/.
# Usage: fuzz_test.sh FUZZER SOURCE_DIR WORK SECONDS
set -u
fuzzer=$1 source=$2 work=$3 seconds=$4
rm -rf "$work" && mkdir -p "$work/corpus" "$work/findings"
seeds=$(ls "$source"/transcripts/*.in "$source"/fuzz_regressions/* | paste -sd, -)
if ! "$fuzzer" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
     -print_final_stats=1 -dict="$source/session_fuzz.dict" -artifact_prefix="$work/findings/" \
     -seed_inputs="$seeds" "$work/corpus" >"$work/fuzz.log" 2>&1; then
  tail -n 40 "$work/fuzz.log"
  echo "the fuzzer found an input that breaks the program; keep it in console/fuzz_regressions/:"
  ls "$work/findings"
  exit 1
fi
grep -E '^stat::(number_of_executed_units|new_units_added|peak_rss_mb)' "$work/fuzz.log"
echo "corpus: $(ls "$work/corpus" | wc -l) inputs grown from $(echo "$seeds" | tr ',' '\n' | wc -l) seeds"
