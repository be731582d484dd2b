#!/usr/bin/env bash
# varendo-solve on hostile input: unreadable and odd files, huge and binary input, and an
# output pipe that closes early. Each case prints what the tool said, so a log shows it.
# Args: varendo-solve, the puzzle folder, and optionally the size of the big puzzle file
# (100000 by default; a sanitizer build takes about a minute for that many).
set -u
tool=$1
puzzles=$2
lines=${3:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
good=..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..
printf '%s\n' "$good" > "$work/good.txt"

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# description, expected status, actual status
status() { [[ $3 == "$2" ]] || fail "$1: exit status $3, expected $2"; }
show() { echo "-- $1: status $2, stderr: $(head -c 300 "$work/err" | tr '\n' '|')"; }
# description, number of "Sudoku Solved" lines expected in out
solved() {
    local n
    n=$(grep -c $'\tSudoku Solved' "$work/out")
    [[ $n == "$2" ]] || fail "$1: $n puzzles solved, expected $2"
}
contains() { grep -qF -- "$2" "$work/err" || fail "$1: no '$2' on stderr"; }

# Empty file: nothing to do, nothing said.
: > "$work/empty.txt"
"$tool" "$work/empty.txt" "$work/good.txt" > "$work/out" 2> "$work/err"; s=$?
show "empty file" $s; status "empty file" 0 $s
[[ -s $work/err ]] && fail "empty file: stderr not empty"
solved "empty file" 1

# A directory given as a file.
mkdir "$work/dir.txt"
"$tool" "$work/dir.txt" "$work/good.txt" > "$work/out" 2> "$work/err"; s=$?
show "directory" $s; status "directory" 1 $s
contains "directory" "dir.txt: is a directory"
solved "directory" 1

# Files that cannot be opened, even by root: a path through a plain file.
"$tool" "$work/good.txt/x" "$work/good.txt" > "$work/out" 2> "$work/err"; s=$?
show "path under a file" $s; status "path under a file" 1 $s
contains "path under a file" "good.txt/x: Not a directory"
solved "path under a file" 1

# Opened but unreadable: standard input is a directory, so every read fails.
"$tool" < "$work/dir.txt" > "$work/out" 2> "$work/err"; s=$?
show "read error" $s; status "read error" 1 $s
contains "read error" "<stdin>: Is a directory"

# A million blank lines: skipped, quickly, in constant memory.
yes '' | head -n 1000000 > "$work/blank.txt"
printf '%s\n' "$good" >> "$work/blank.txt"
SECONDS=0
"$tool" "$work/blank.txt" > "$work/out" 2> "$work/err"; s=$?
show "a million blank lines (${SECONDS}s)" $s; status "blank lines" 0 $s
[[ -s $work/err ]] && fail "blank lines: stderr not empty"
solved "blank lines" 1

# A big puzzle file: every line solved, none lost.
for _ in $(seq $(( (lines + 1999) / 2000 ))); do cat "$puzzles/qqwing_easy.txt"; done |
    head -n "$lines" > "$work/many.txt"
SECONDS=0
"$tool" "$work/many.txt" > "$work/out" 2> "$work/err"; s=$?
show "$lines puzzles (${SECONDS}s)" $s; status "$lines puzzles" 0 $s
solved "$lines puzzles" "$lines"

# NUL bytes, invalid UTF-8 and a line of a megabyte: one error line each with file:line,
# and the puzzles around them still solved.
{
    printf '%s\n' "$good"
    printf '%s\0%s\n' "${good:0:10}" "${good:11}"
    printf '%s\xc3\x28\xff%s\n' "${good:0:20}" "${good:23}"
    printf '\xef\xbb\xbf%s\n' "$good"
    head -c 1000000 /dev/zero | tr '\0' '5'; printf '\n'
    printf '%s\r\n%s\r%s' "$good" "$good" "$good"
} > "$work/binary.txt"
"$tool" "$work/binary.txt" > "$work/out" 2> "$work/err"; s=$?
show "binary lines" $s; status "binary lines" 2 $s
contains "NUL byte" "binary.txt:2: unexpected byte 0x00 at column 11"
contains "invalid UTF-8" "binary.txt:3: unexpected byte 0xC3 at column 21"
contains "byte order mark" "binary.txt:4: unexpected byte 0xEF at column 1"
contains "long line" "binary.txt:5: unexpected '5' at column 82"
[[ $(wc -l < "$work/err") == 4 ]] || fail "binary lines: not one error line per bad line"
LC_ALL=C grep -q '[^[:print:]]' "$work/err" && fail "binary lines: stderr holds unprintable bytes"
solved "binary lines" 4

# Standard output closes early: a quiet, successful end with the first line whole.
"$tool" "$work/many.txt" 2> "$work/err" | head -n 1 > "$work/out"; s=${PIPESTATUS[0]}
show "pipe closed early" $s; status "pipe closed early" 0 $s
[[ -s $work/err ]] && fail "pipe closed early: stderr not empty"
[[ $(head -c 82 "$work/out") == *$'\t' ]] || fail "pipe closed early: first line cut: $(cat "$work/out")"
solved "pipe closed early" 1

echo "hostile input: $failures failed"
[[ $failures == 0 ]]
