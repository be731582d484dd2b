#!/usr/bin/env bash
# varendo-solve end to end: what it prints and the exit status, for good and bad input.
set -u
tool=$1
puzzles=$2
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
failures=0

check() {  # description, expected status, actual status
    if [[ $2 != "$3" ]]; then
        echo "FAIL: $1: exit status $3, expected $2"
        failures=$((failures + 1))
    fi
}
expect_text() {  # description, file, text it must contain
    if ! grep -qF -- "$3" "$2"; then
        echo "FAIL: $1: no '$3' in:"; cat "$2"
        failures=$((failures + 1))
    fi
}

good=003020600900305001001806400008102900700000008006708200002609500800203009005010300
printf '%s\n# comment\n\n%s extra words\n' "$good" "$good" > "$work/good.txt"
"$tool" "$work/good.txt" > "$work/out" 2> "$work/err"
check "good file" 0 $?
[[ $(wc -l < "$work/out") -eq 2 && ! -s "$work/err" ]] || { echo "FAIL: good file output"; failures=$((failures + 1)); }

"$tool" < "$work/good.txt" > "$work/stdin_out"
check "standard input" 0 $?
cmp -s "$work/out" "$work/stdin_out" || { echo "FAIL: standard input differs"; failures=$((failures + 1)); }

printf '%s\n12345\n%sx\n%s\n' "$good" "$good" "$good" > "$work/bad.txt"
"$tool" "$work/bad.txt" > "$work/out" 2> "$work/err"
check "bad lines" 2 $?
expect_text "short line" "$work/err" "bad.txt:2: line too short: 5 characters"
expect_text "long line" "$work/err" "bad.txt:3: unexpected 'x' at column 82"
[[ $(wc -l < "$work/out") -eq 2 ]] || { echo "FAIL: the good lines of a bad file were not all solved"; failures=$((failures + 1)); }

"$tool" "$work/missing.txt" "$work/good.txt" > "$work/out" 2> "$work/err"
check "missing file" 1 $?
expect_text "missing file" "$work/err" "missing.txt: No such file or directory"
[[ $(wc -l < "$work/out") -eq 2 ]] || { echo "FAIL: the file after a missing one was not solved"; failures=$((failures + 1)); }

"$tool" "$work" > "$work/out" 2> "$work/err"
check "directory" 1 $?
expect_text "directory" "$work/err" ": is a directory"

: > "$work/empty.txt"
"$tool" "$work/empty.txt" > "$work/out" 2> "$work/err"
check "empty file" 0 $?
[[ ! -s "$work/out" && ! -s "$work/err" ]] || { echo "FAIL: empty file printed something"; failures=$((failures + 1)); }

"$tool" --steps --detailed-steps "$work/good.txt" > /dev/null 2> "$work/err"
check "both step switches" 1 $?
"$tool" --no-such-option > /dev/null 2>&1
check "unknown option" 1 $?
"$tool" --help > "$work/out"
check "help" 0 $?
expect_text "help" "$work/out" "--detailed-steps"

# A reader that stops early ends the run quietly.
"$tool" "$puzzles/qqwing_easy.txt" 2> "$work/err" | head -n 1 > /dev/null
check "closed pipe" 0 "${PIPESTATUS[0]}"
[[ ! -s "$work/err" ]] || { echo "FAIL: closed pipe printed:"; cat "$work/err"; failures=$((failures + 1)); }

echo "varendo-solve: $failures failed"
[[ $failures -eq 0 ]]
