#!/usr/bin/env bash
# varendo-solve end to end: output, messages and exit status for good, bad and hostile input
# (unreadable and odd files, huge and binary input, an output pipe that closes early).
# Each case prints what the tool said, so a log shows it.
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
printf '12345\n' > "$work/bad_line.txt"

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# description, expected exit status, then the tool's arguments; standard input is passed on.
run() {
    local what=$1 want=$2 start=$SECONDS s
    shift 2
    "$tool" "$@" > "$work/out" 2> "$work/err"; s=$?
    echo "-- $what: status $s in $((SECONDS - start))s, stderr: $(head -c 300 "$work/err" | tr '\n' '|')"
    [[ $s == "$want" ]] || fail "$what: exit status $s, expected $want"
}
said() { grep -qF -- "$2" "$work/err" || fail "$1: no '$2' on stderr"; }
quiet() { [[ ! -s $work/err ]] || fail "$1: stderr not empty"; }
solved() {  # description, number of "Sudoku Solved" lines expected in out
    local n
    n=$(grep -c $'\tSudoku Solved' "$work/out")
    [[ $n == "$2" ]] || fail "$1: $n puzzles solved, expected $2"
}

# Comments, blank lines, zeros for empty cells and words after the puzzle; the same from
# standard input.
printf '%s\n# comment\n\n%s extra words\n' "$good" "${good//./0}" > "$work/mixed.txt"
run "good file" 0 "$work/mixed.txt"; quiet "good file"; solved "good file" 2
[[ $(wc -l < "$work/out") == 2 ]] || fail "good file: not one output line per puzzle"
mv "$work/out" "$work/from_file"
run "standard input" 0 < "$work/mixed.txt"
cmp -s "$work/out" "$work/from_file" || fail "standard input: output differs from the file's"

run "- for standard input" 0 - < "$work/mixed.txt"
cmp -s "$work/out" "$work/from_file" || fail "-: output differs from the file's"

# As the window takes them: a byte order mark at the start, indented puzzles; the columns of
# errors count the indentation, and CR LF line ends keep the line numbers right.
printf '\xef\xbb\xbf\t%s\r\n  # a set\r\n  %sx\r\n\r\n   12345\r\n' "$good" "${good:0:80}" > "$work/windows.txt"
run "byte order mark, indentation, CR LF" 2 "$work/windows.txt"; solved "byte order mark" 1
said "indented stray" "windows.txt:3: unexpected 'x' at column 83: a cell is 1-9, 0 or ."
said "indented short line" "windows.txt:5: line too short: 5 characters"

# Empty file: nothing to do, nothing said.
: > "$work/empty.txt"
run "empty file" 0 "$work/empty.txt" "$work/good.txt"; quiet "empty file"; solved "empty file" 1

# Files that cannot be read, even by root: the others are still solved.
mkdir "$work/dir.txt"
run "unreadable files" 1 "$work/missing.txt" "$work/dir.txt" "$work/good.txt/x" "$work/good.txt"
said "missing file" "missing.txt: No such file or directory"
said "directory" "dir.txt: is a directory"
said "path under a file" "good.txt/x: Not a directory"
solved "unreadable files" 1
run "unreadable file and bad line" 1 "$work/missing.txt" "$work/bad_line.txt"

# Opened but unreadable: standard input is a directory, so every read fails.
run "read error" 1 < "$work/dir.txt"; said "read error" "<stdin>: Is a directory"

# Bad lines: a short one, NUL bytes, invalid UTF-8, a byte order mark, a line of a megabyte;
# one printable error line each with file:line, and the puzzles around them (CR LF, lone CR
# and no line end at all) still solved.
{
    printf '%s\n12345\n' "$good"
    printf '%s\0%s\n' "${good:0:10}" "${good:11}"
    printf '%s\xc3\x28\xff%s\n' "${good:0:20}" "${good:23}"
    printf '\xef\xbb\xbf%s\n' "$good"
    head -c 1000000 /dev/zero | tr '\0' '5'; printf '\n'
    printf '%s\r\n%s\r%s' "$good" "$good" "$good"
} > "$work/bad.txt"
run "bad lines" 2 "$work/bad.txt"
said "file and line" "varendo-solve: $work/bad.txt:2: line too short"
for n in 3 4 5 6; do said "line $n" "bad.txt:$n: unexpected"; done
[[ $(wc -l < "$work/err") == 5 ]] || fail "bad lines: not one error line per bad line"
LC_ALL=C grep -q '[^[:print:]]' "$work/err" && fail "bad lines: stderr holds unprintable bytes"
solved "bad lines" 4

# Several threads give the very same bytes, errors and status as one, for every output form.
cat "$work/bad.txt" "$puzzles/tdoku_test_multisolution.txt" "$puzzles/tdoku_test_nosolution.txt" \
    "$puzzles/norvig_top95.txt" > "$work/mixed_set.txt"
for options in "" "--steps" "--json --detailed-steps"; do
    # shellcheck disable=SC2086
    run "-j 1 $options" 2 -j 1 $options "$work/mixed_set.txt"
    mv "$work/out" "$work/one.out"; mv "$work/err" "$work/one.err"
    # shellcheck disable=SC2086
    run "-j 4 $options" 2 -j 4 $options "$work/mixed_set.txt"
    cmp -s "$work/out" "$work/one.out" && cmp -s "$work/err" "$work/one.err" ||
        fail "-j 4 $options: output differs from -j 1"
done

# Standard output and standard error to one file: the errors fall between the results at
# the same places for any number of threads.
for jobs in 1 2; do "$tool" -j $jobs "$work/mixed_set.txt" > "$work/$jobs.all" 2>&1; done
cmp -s "$work/1.all" "$work/2.all" && grep -q "mixed_set.txt:2: line too short" "$work/2.all" ||
    fail "-j 2 into one file: differs from -j 1"

# A million blank lines: skipped, quickly, in constant memory.
{ yes '' | head -n 1000000; printf '%s\n' "$good"; } > "$work/blank.txt"
run "a million blank lines" 0 "$work/blank.txt"; quiet "blank lines"; solved "blank lines" 1

# A big puzzle file: every line solved, none lost.
for _ in $(seq $(((lines + 1999) / 2000))); do cat "$puzzles/qqwing_easy.txt"; done |
    head -n "$lines" > "$work/many.txt"
run "$lines puzzles" 0 "$work/many.txt"; solved "$lines puzzles" "$lines"

# Options.
run "both step switches" 1 --steps --detailed-steps "$work/good.txt"
run "unknown option" 1 --no-such-option
run "path without json" 1 --path "$work/good.txt"; said "path without json" "--path requires --json"
run "no threads" 1 -j 0 "$work/good.txt"
run "threads not a number" 1 -j abc "$work/good.txt"; said "-j abc" "not a number"
run "threads below the range" 1 -j -5 "$work/good.txt"; said "-j -5" "-5 is out of range (1 to 256)"
run "help" 0 --help
grep -qF -- "--detailed-steps" "$work/out" || fail "help: no --detailed-steps"

# Standard output closes early: a quiet, successful end with the first line whole.
"$tool" "$work/many.txt" 2> "$work/err" | head -n 1 > "$work/out"; s=${PIPESTATUS[0]}
echo "-- pipe closed early: status $s"
[[ $s == 0 ]] || fail "pipe closed early: exit status $s, expected 0"
quiet "pipe closed early"
[[ $(head -c 82 "$work/out") == *$'\t' ]] || fail "pipe closed early: first line cut: $(cat "$work/out")"
solved "pipe closed early" 1

echo "varendo-solve: $failures failed"
[[ $failures == 0 ]]
