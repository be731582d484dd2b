#!/usr/bin/env bash
# varendo-solve --rate and --explain end to end: the line formats, JSON keys, the ladders,
# the same output for any -j, and puzzles without one solution.
# Args: varendo-solve, the puzzle folder.
set -u
tool=$1
puzzles=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

head -20 "$puzzles/qqwing_expert.txt" > "$work/twenty.txt"
"$tool" --rate --no-progress -j 1 "$work/twenty.txt" > "$work/one" || fail "--rate -j 1 failed"
"$tool" --rate --no-progress -j 3 "$work/twenty.txt" > "$work/three" || fail "--rate -j 3 failed"
cmp -s "$work/one" "$work/three" || fail "--rate differs with -j 3"
[[ $(wc -l < "$work/one") == 20 ]] || fail "--rate: not one line per puzzle"
# The rater's own figures for the first two puzzles.
head -2 "$work/one" | cut -f2 | tr '\n' ' ' | grep -qx "8.5/1.2/1.2 6.6/1.2/1.2 " || fail "--rate: $(head -2 "$work/one")"
grep -qvP '^[.1-9]{81}\t\d+\.\d/\d+\.\d/\d+\.\d\t(Easy|Medium|Hard|Unfair|Extreme) \d+$' "$work/one" && fail "--rate line format"

head -1 "$work/twenty.txt" | "$tool" --rate --json > "$work/json" || fail "--rate --json failed"
python3 - "$work/json" <<'PY' || fail "--rate --json keys"
import json, sys
o = json.loads(open(sys.argv[1]).read())
assert list(o) == ["puzzle", "outcome", "er", "ep", "ed", "level", "score", "solved", "techniques"], list(o)
assert o["er"] == 8.5 and o["solved"] is True and sum(o["techniques"].values()) > 0
PY

# Explain: the human ladder's steps, one a line, and JSON records that replay to the solution.
head -1 "$work/twenty.txt" | "$tool" --explain > "$work/explain" || fail "--explain failed"
head -1 "$work/explain" | grep -q $'\tsolved$' || fail "--explain: first line $(head -1 "$work/explain")"
grep -q '^  1\.2'$'\t''Hidden Single' "$work/explain" || fail "--explain: no hidden single line"
head -1 "$work/twenty.txt" | "$tool" --explain --ladder se --json > "$work/steps" || fail "--explain --json failed"
python3 - "$work/steps" "$(head -1 "$puzzles/qqwing_expert_solutions.txt")" <<'PY' || fail "--explain --json steps"
import json, sys
o = json.loads(open(sys.argv[1]).read())
solution = sys.argv[2]
grid = list(o["puzzle"])
for s in o["steps"]:
    assert set(s) == {"technique", "rating", "placements", "eliminations", "cells", "units", "text"}, s
    for p in s["placements"]:
        i = (p["row"] - 1) * 9 + p["column"] - 1
        assert solution[i] == str(p["digit"]), s
        grid[i] = str(p["digit"])
    for e in s["eliminations"]:
        assert solution[(e["row"] - 1) * 9 + e["column"] - 1] != str(e["digit"]), s
assert "".join(grid) == solution and max(s["rating"] for s in o["steps"]) == 8.5
PY

# An ALS step names its almost locked sets: n cells with n + 1 digits.
echo "14.9...............5.8...1...7..35.42....41........23.7.321.4...6...7..94........" \
    | "$tool" --explain --json > "$work/als" || fail "--explain --json of ALS steps failed"
python3 - "$work/als" <<'PY' || fail "--explain --json: ALS sets"
import json, sys
sets = [s["sets"] for s in json.loads(open(sys.argv[1]).read())["steps"] if s["technique"].startswith("ALS")]
assert sets and all(len(a["digits"]) == len(a["cells"]) + 1 for step in sets for a in step), sets
PY

# No solution, several, and a bad line.
printf '11...............................................................................\n.................................................................................\nxyz\n' \
    | "$tool" --rate > "$work/odd" 2> "$work/err"
[[ $? == 2 ]] || fail "a bad line does not give status 2"
[[ $(cut -f2 "$work/odd" | tr '\n' ' ') == "no solution several solutions " ]] || fail "odd grids: $(cat "$work/odd")"
grep -q "<stdin>:3:" "$work/err" || fail "the bad line is not named"
"$tool" --rate --explain "$work/twenty.txt" > /dev/null 2>&1 && fail "--rate with --explain accepted"
"$tool" --ladder se "$work/twenty.txt" > /dev/null 2>&1 && fail "--ladder without --explain accepted"

# Made to a rating: each puzzle rates back inside the range, both ends included, for any -j.
"$tool" --generate 3 --rating 7.1-7.2 --seed 3 -j 1 --no-progress > "$work/made" || fail "--rating failed"
"$tool" --generate 3 --rating 7.1-7.2 --seed 3 -j 2 --no-progress | cmp -s - "$work/made" || fail "--rating differs with -j 2"
[[ $("$tool" --rate "$work/made" | cut -f2 | cut -d/ -f1 | sort -u | tr '\n' ' ') == "7.1 7.2 " ]] \
    || fail "--rating 7.1-7.2 made $("$tool" --rate "$work/made" | cut -f2)"
for bad in "x:not a range" "7-8:not a range" "7.00-8.0:not a range" "0.9-2.0:0.9 is outside 1.0 to 12.0" \
           "7.0-12.1:12.1 is outside" "7.9-7.0:the low end 7.9 is above the high end 7.0"; do
    "$tool" --generate 1 --rating "${bad%%:*}" > /dev/null 2> "$work/err" && fail "--rating ${bad%%:*} accepted"
    grep -q "^--rating: ${bad#*:}" "$work/err" || fail "--rating ${bad%%:*}: $(head -1 "$work/err")"
done
"$tool" --generate 1 --rating 7.0-7.9 --level easy > /dev/null 2>&1 && fail "--rating with --level accepted"
"$tool" --generate 1 --rating 9.0-12.0 --seed 1 --tries 1 2>&1 | grep -qx "varendo-solve: cannot make puzzle 1 at rating 9.0-12.0 in 1 try" \
    || fail "a rating not reached in its tries"

echo "$failures failures"
[[ $failures == 0 ]]
