#!/usr/bin/env bash
# The program in a real terminal: tmux runs it in a pseudo-terminal, the test
# types as a person would and reads the screen after each command. Every
# prompt must be on screen before anything is typed for it, and after the run
# the shell's prompt (here "SHELL$") must start a line of its own, however
# the run ended.
# Usage: terminal_test.sh PROGRAM
set -u
program=$(realpath "$1")
# Scratch files stay in the test's own build folder, and no output file may
# grow past 100 MB, whatever the program does.
work=$(mktemp -d "$PWD/scratch.XXXXXX")
ulimit -f 102400
# A socket of the test's own, removed with the rest.
tmux_() { tmux -S "$work/tmux" "$@"; }
trap 'tmux_ kill-server 2>/dev/null; rm -rf "$work"' EXIT

screen() { tmux_ capture-pane -p -t "$session"; }

# Waits up to five seconds for the screen to hold TEXT COUNT times.
wait_for() {
  local text=$1 count=${2:-1}
  for _ in $(seq 100); do
    [ "$(screen | grep -cF -- "$text")" -ge "$count" ] && return 0
    sleep 0.05
  done
  echo "never on screen ($count times): $text"
  screen
  exit 1
}

type_line() { tmux_ send-keys -t "$session" -l "$1" && tmux_ send-keys -t "$session" Enter; }
end_of_input() { tmux_ send-keys -t "$session" C-d; }

# Starts the program in a new tmux session named NAME, as a shell would, and
# shows the shell's prompt when it ends.
start() {
  session=$1
  tmux_ new-session -d -s "$session" -x 100 -y 60 \
    "'$program'; echo \"exit status \$?\" >'$work/$session.status'; printf 'SHELL\$ '; sleep 60"
}

failed=0
# Waits for the run to end, then compares the screen, less its trailing blank
# lines, with EXPECTED and the exit status with 0.
expect_screen() {
  local expected=$1
  for _ in $(seq 100); do
    [ -s "$work/$session.status" ] && break
    sleep 0.05
  done
  wait_for 'SHELL$'
  local actual status
  actual=$(screen | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}')
  status=$(cat "$work/$session.status" 2>/dev/null)
  if [ "$actual" != "$expected" ]; then
    echo "$session: the screen differs (expected <, actual >):"
    diff <(printf '%s\n' "$expected") <(printf '%s\n' "$actual")
    failed=1
  fi
  if [ "$status" != "exit status 0" ]; then
    echo "$session: the program ended with '$status', expected exit status 0"
    failed=1
  fi
}

start commands
prompt='Your Command [i d p f g s]?'
wait_for "$prompt" 1
if [ "$(screen | grep -v '^$' | tail -n 1)" != "$prompt" ]; then
  echo "the first prompt is not the last thing on screen before typing"
  screen
  exit 1
fi

type_line i
wait_for 'Please enter integers to be inserted (-1 to stop)'
type_line '5 7 -1'
wait_for "$prompt" 2
type_line p
wait_for 'RecordAdddress( 0)  Key=(    5) NextRecordAddress= -1'
type_line f
wait_for 'Memory: [27]: Record( 9): Key=    0  Next=    0  MM=Free'
type_line d
wait_for 'Please enter the key to delete:'
type_line seven
wait_for '**** ERROR ****: Not a valid integer, input skipped!'
wait_for "$prompt" 5
type_line q
expect_screen "$(cat <<'SCREEN'

Your Command [i d p f g s]? i
Please enter integers to be inserted (-1 to stop)
5 7 -1

Your Command [i d p f g s]? p
After: 2 Operations: content of myList-List: Head(3)
        RecordAdddress( 3)  Key=(    7) NextRecordAddress=  0
        RecordAdddress( 0)  Key=(    5) NextRecordAddress= -1

Your Command [i d p f g s]? f
Here is the Record Pool:
Record Memory Pool Content:
Memory: [ 0]: Record( 0): Key=    5  Next=   -1  MM=InUse
Memory: [ 3]: Record( 1): Key=    7  Next=    0  MM=InUse
Memory: [ 6]: Record( 2): Key=    0  Next=    0  MM=Free
Memory: [ 9]: Record( 3): Key=    0  Next=    0  MM=Free
Memory: [12]: Record( 4): Key=    0  Next=    0  MM=Free
Memory: [15]: Record( 5): Key=    0  Next=    0  MM=Free
Memory: [18]: Record( 6): Key=    0  Next=    0  MM=Free
Memory: [21]: Record( 7): Key=    0  Next=    0  MM=Free
Memory: [24]: Record( 8): Key=    0  Next=    0  MM=Free
Memory: [27]: Record( 9): Key=    0  Next=    0  MM=Free

Your Command [i d p f g s]? d
Please enter the key to delete: seven
**** ERROR ****: Not a valid integer, input skipped!

Your Command [i d p f g s]? q
SHELL$
SCREEN
)"

# The end of the input at the command prompt.
start end_at_prompt
wait_for "$prompt"
end_of_input
expect_screen "$(printf '\n%s\nSHELL$' "$prompt")"

# The end of the input in the middle of an insertion, after a partly typed
# line: the first Ctrl-D hands over "5 7", the second ends the input.
start end_in_insertion
wait_for "$prompt"
type_line i
wait_for 'Please enter integers to be inserted (-1 to stop)'
tmux_ send-keys -t "$session" -l '5 7'
end_of_input
end_of_input
expect_screen "$(printf '\n%s i\nPlease enter integers to be inserted (-1 to stop)\n5 7\nSHELL$' "$prompt")"

exit $failed
