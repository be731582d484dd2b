#!/usr/bin/env bash
# varendo-solve --picture end to end: the puzzle line, the JSON keys, -j keeping the order,
# and the statuses for a picture without a grid (2) and one that cannot be read (1).
# Args: varendo-solve, the folder of test pictures.
set -u
tool=$1
pictures=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
grid=$pictures/window_grid.png
puzzle=..3.2.6..9..3.5..1..18.64....81.29..7.......8..67.82....26.95..8..2.3..9..5.1.3..
head -c 300 "$grid" > "$work/truncated.png"
"$tool" --picture "$grid" > "$work/out" 2> "$work/err"; s=$?
[[ $(cat "$work/out") == "$puzzle" ]] || fail "the window's grid read as $(cat "$work/out")"
[[ $s == 0 || $s == 2 ]] || fail "status $s for a grid read"
"$tool" --picture --json "$grid" > "$work/out" 2>/dev/null
python3 - "$work/out" "$puzzle" <<'PY' || fail "JSON keys"
import json, sys
o = json.loads(open(sys.argv[1]).read())
assert list(o) == ["file", "puzzle", "uncertain", "solutions", "grid"], list(o)
assert o["puzzle"] == sys.argv[2] and o["solutions"] == 1 and len(o["grid"]) == 4
assert all(set(c) == {"row", "column"} for c in o["uncertain"])
PY
"$tool" --picture "$grid" 2>/dev/null | "$tool" --answer > "$work/out"
[[ $(cut -f2 "$work/out") == 1 ]] || fail "the reading does not compose with --answer"
"$tool" -j 3 --picture "$grid" "$work/truncated.png" "$grid" > "$work/out" 2> "$work/err"; s=$?
[[ $s == 1 ]] || fail "status $s with a truncated picture, expected 1"
[[ $(wc -l < "$work/out") == 2 ]] || fail "not one line per readable picture"
grep -q "truncated.png: cannot read the picture" "$work/err" || fail "the truncated picture is not named"
"$tool" --picture "$pictures/blank.png" > "$work/out" 2> "$work/err"; s=$?
[[ $s == 2 ]] || fail "status $s for a picture without a grid, expected 2"
grep -q "blank.png: no grid found" "$work/err" || fail "no line naming the picture without a grid"
"$tool" --picture > /dev/null 2>&1 && fail "--picture without files accepted"
"$tool" --picture --answer "$grid" > /dev/null 2>&1 && fail "--picture with --answer accepted"
echo "$failures failures"
[[ $failures == 0 ]]
