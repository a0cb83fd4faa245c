#!/usr/bin/env bash
# Merges the coverage profiles in PROFILES and prints a report of the
# program's own code (tests, test helpers and the fuzz target left out) over
# the given executables; the profiles are removed once merged, so the next run
# starts afresh.
# Usage: coverage_report.sh LLVM_PROFDATA LLVM_COV SOURCE_DIR PROFILES PROGRAM [EXECUTABLE]...
set -euo pipefail
profdata=$1 cov=$2 source=$3 profiles=$4 program=$5
shift 5
shopt -s nullglob
raw=("$profiles"/*.profraw)
if [ ${#raw[@]} -eq 0 ]; then
  echo "no profiles in $profiles: run the tests of the coverage build first"
  exit 1
fi
"$profdata" merge -sparse "${raw[@]}" -o "$profiles.profdata"
rm -f "${raw[@]}"
objects=()
for executable in "$@"; do
  objects+=(-object "$executable")
done
own=$(find "$source/console" "$source/io" "$source/list" "$source/pool" -name '*.cc' -o -name '*.h' |
  grep -v -e '_test\.cc$' -e '_testing\.h$' -e 'fuzz' | sort)
# shellcheck disable=SC2086
"$cov" report "$program" "${objects[@]}" -instr-profile="$profiles.profdata" $own
