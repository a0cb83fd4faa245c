#!/usr/bin/env bash
# The program in a real terminal: tmux runs it in a pseudo-terminal, the test
# types as a person would and reads the screen after each command. Every
# prompt must be on screen before anything is typed for it.
# Usage: terminal_test.sh PROGRAM
set -u
program=$(realpath "$1")
work=$(mktemp -d)
socket=pooled-list-test-$$
tmux_() { tmux -L "$socket" "$@"; }
trap 'tmux_ kill-server 2>/dev/null; rm -rf "$work"' EXIT

screen() { tmux_ capture-pane -p -t run; }

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

type_line() { tmux_ send-keys -t run -l "$1" && tmux_ send-keys -t run Enter; }

tmux_ new-session -d -s run -x 100 -y 60 \
  "'$program'; echo \"exit status \$?\" >'$work/status'; sleep 60"

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

for _ in $(seq 100); do
  [ -s "$work/status" ] && break
  sleep 0.05
done
expected_screen=$(cat <<'SCREEN'

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
SCREEN
)
actual_screen=$(screen | sed -e :a -e '/^\n*$/{$d;N;ba' -e '}')
status=$(cat "$work/status" 2>/dev/null)
failed=0
if [ "$actual_screen" != "$expected_screen" ]; then
  echo "the screen differs (expected <, actual >):"
  diff <(printf '%s\n' "$expected_screen") <(printf '%s\n' "$actual_screen")
  failed=1
fi
if [ "$status" != "exit status 0" ]; then
  echo "the program ended with '$status', expected exit status 0"
  failed=1
fi
exit $failed
