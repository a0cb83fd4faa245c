# Counting helpers shared by the benchmark and the I/O-count test; sourced.

# Prints how many read and write calls PROGRAM makes on INPUT, as "reads writes".
count_calls() {
  local program=$1 input=$2 summary
  summary=$(mktemp)
  strace -c -e trace=read,write -o "$summary" "$program" <"$input" >/dev/null
  awk '$NF == "read" { r = $4 } $NF == "write" { w = $4 } END { print r + 0, w + 0 }' "$summary"
  rm -f "$summary"
}

# Prints how many heap allocations PROGRAM makes on INPUT, by valgrind's count.
count_allocations() {
  local program=$1 input=$2
  valgrind --tool=memcheck "$program" <"$input" 2>&1 >/dev/null |
    sed -n 's/.*total heap usage: \([0-9,]*\) allocs.*/\1/p' | tr -d ,
}
