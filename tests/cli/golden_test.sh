#!/usr/bin/env bash
# varendo-solve's exact output, in both step modes, for the puzzles of golden/puzzles.txt.
# Args: varendo-solve and the golden folder. A difference names the puzzle (output line) and
# shows its first differing items.
set -u
tool=$1 dir=$2 failures=0
out=$(mktemp)
trap 'rm -f "$out"' EXIT
for mode in detailed steps; do
    [[ $mode == steps ]] && option=--steps || option=--detailed-steps
    "$tool" --json "$option" "$dir/puzzles.txt" > "$out" || { echo "$mode: exit status $?"; failures=1; }
    where=$(cmp "$dir/$mode.jsonl" "$out" 2>&1) && { echo "$mode: same"; continue; }
    failures=1
    line=$(grep -o 'line [0-9]*' <<< "$where" | tr -dc 0-9)
    echo "$mode: $where"
    [[ -n $line ]] && diff <(sed -n "${line}p" "$dir/$mode.jsonl" | tr , '\n') <(sed -n "${line}p" "$out" | tr , '\n') | head -n 12
done
exit $failures
