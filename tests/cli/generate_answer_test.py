#!/usr/bin/env python3
"""varendo-solve end to end: --generate (every level and symmetry, judged by the tool's own
Solve), --answer against the known solutions and counts, and the progress line on a terminal.
Args: varendo-solve, the puzzle folder, puzzles per level, puzzles of the long run (from sudoku17).
"""
import json
import os
import pty
import re
import subprocess
import sys
import tempfile
import time

tool, puzzles, per_level, long_count = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
failures = 0


def check(ok, what):
    global failures
    if not ok:
        failures += 1
        print("FAIL:", what)


def run(*args, stdin=None, status=0):
    result = subprocess.run([tool, *args], input=stdin, capture_output=True, text=True)
    print(f"-- {' '.join(args)}: status {result.returncode}, stderr: {result.stderr[:200]!r}")
    check(result.returncode == status, f"{args}: status {result.returncode}, expected {status}")
    return result


def solves(puzzle, grid):
    rows = [grid[9 * r:9 * r + 9] for r in range(9)]
    units = rows + ["".join(row[c] for row in rows) for c in range(9)]
    units += ["".join(rows[r][c] for r in range(b // 3 * 3, b // 3 * 3 + 3)
                      for c in range(b % 3 * 3, b % 3 * 3 + 3)) for b in range(9)]
    return (all(sorted(u) == list("123456789") for u in units)
            and all(p in ".0" or p == g for p, g in zip(puzzle, grid)))


def lines_of(name):
    with open(os.path.join(puzzles, name)) as f:
        return [line.rstrip("\n") for line in f]


# Generation: distinct puzzles with one solution at the level asked, symmetric when asked;
# the same bytes for -j 1 and -j 4, a property of the batch, checked at one level.
levels = {"easy": "Easy", "medium": "Medium", "difficult": "Difficult", "very-difficult": "Very Difficult"}
for level, name in levels.items():
    for symmetry in ("none", "rotate180"):
        args = ["--generate", str(per_level), "--level", level, "--symmetry", symmetry, "--seed", "5"]
        made = run(*args, "-j", "1").stdout
        if level == "very-difficult":
            check(run(*args, "-j", "4").stdout == made, f"{level} {symmetry}: -j 4 differs from -j 1")
        lines = made.splitlines()
        check(len(lines) == per_level and len(set(lines)) == per_level, f"{level} {symmetry}: not distinct")
        for line in lines:
            check(len(line) == 81 and set(line) <= set(".123456789"), f"not a puzzle line: {line}")
            if symmetry == "rotate180":
                check(all((line[i] == ".") == (line[80 - i] == ".") for i in range(81)), f"asymmetric: {line}")
        for report in run("--json", stdin=made).stdout.splitlines():
            solved = json.loads(report)
            check(solved["solutions"] == 1 and solved["label1"].endswith(f"({name})"),
                  f"{level}: {solved['puzzle']} rated {solved['label1']!r}, {solved['solutions']} solutions")

default = run("--generate", "3", "--level", "medium", "--seed", "9")
check(default.stdout == run("--generate", "3", "--level", "medium", "--seed", "9", "--symmetry", "rotate180").stdout,
      "the default symmetry is not rotate180")
unseeded = run("--generate", "2", "--level", "easy")
seed = re.fullmatch(r"varendo-solve: seed (\d+)\n", unseeded.stderr)
check(seed is not None, "no seed said without --seed")
if seed:
    check(run("--generate", "2", "--level", "easy", "--seed", seed[1]).stdout == unseeded.stdout,
          "the seed said does not repeat the run")
given_up = run("--generate", "2", "--level", "very-difficult", "--seed", "1", "--tries", "1", status=1)
check(given_up.stdout == "" and given_up.stderr ==
      "".join(f"varendo-solve: cannot make puzzle {i} at level very-difficult in 1 try\n" for i in (1, 2)),
      "an impossible request is not said as such")
# Numbers read exactly: past the range by any amount, or below it, refused with the range.
for option, value, limits in (("--seed", "18446744073709551616", "0 to 18446744073709551615"),
                              ("--seed", "-1", "0 to 18446744073709551615"), ("--tries", "0", "1 to 2147483647"),
                              ("--generate", "1099511627777", "1 to 1099511627776")):
    refused = run("--generate", "1", "--level", "easy", option, value, status=1)
    check(f"{value} is out of range ({limits})" in refused.stderr, f"{option} {value}: the range not said")
for bad in (["--generate", "3", "--level", "hard"], ["--generate", "3", "--level", "easy", "--symmetry", "mirror"],
            ["--generate", "0", "--level", "easy"], ["--generate", "3"], ["--seed", "3"],
            ["--generate", "2", "--level", "easy", "x.txt"],
            ["--answer", "--steps"]):
    check(run(*bad, status=1).stderr != "", f"{bad}: no message")

# Answers: the count to two and the first solution, as the sets' solution and count files
# have them; the same for any -j; bad lines as in the other modes.
top = os.path.join(puzzles, "magictour_top1465.txt")
answered = run("--answer", "-j", "1", top).stdout
check(run("--answer", "-j", "2", top).stdout == answered, "--answer: -j 2 differs from -j 1")
expected = [f"{p[:81]}\t1\t{s}" for p, s in zip(lines_of("magictour_top1465.txt"), lines_of("magictour_top1465_solutions.txt"))]
check(answered.splitlines() == expected, "--answer: not the known solutions of magictour_top1465")
several = run("--answer", os.path.join(puzzles, "tdoku_test_multisolution.txt")).stdout.splitlines()
counts = [min(int(c), 2) for c in lines_of("tdoku_test_multisolution_counts.txt") if c]
check(len(several) == len(counts), "--answer: one line per puzzle")
for line, count in zip(several, counts):
    puzzle, found, grid = line.split("\t")
    check(int(found) == count and solves(puzzle, grid), f"--answer: {line}")
none = run("--answer", "--json", os.path.join(puzzles, "tdoku_test_nosolution.txt")).stdout.splitlines()
check(len(none) == 10 and all(json.loads(o)["solutions"] == 0 and json.loads(o)["solution"] is None for o in none),
      "--answer --json: a puzzle without a solution")
unique = lines_of("tdoku_test_unique.txt")[0][:81]
mixed = run("--answer", "--json", stdin=f"{unique.replace('.', '0')}\n12345\n", status=2)
check(mixed.stderr.startswith("varendo-solve: <stdin>:2: line too short"), "--answer: bad line not said")
check(list(json.loads(mixed.stdout)) == ["puzzle", "solutions", "solution"], "--answer --json: not its three keys")
check(json.loads(mixed.stdout)["puzzle"] == unique and solves(unique, json.loads(mixed.stdout)["solution"]),
      "--answer --json: the puzzle or its solution")

# The progress line: on a terminal only, after a second, erased before an error and at the
# end; never with --no-progress.
with tempfile.TemporaryDirectory() as work:
    long_run = os.path.join(work, "long.txt")
    with open(long_run, "w") as f:
        seventeen = lines_of("sudoku17.txt")
        f.write("".join(seventeen[i % len(seventeen)] + "\n" for i in range(long_count)) + "12345\n")
    plain = run("-j", "1", long_run, status=2)
    error = plain.stderr.rstrip("\n")
    check(error.startswith(f"varendo-solve: {long_run}:{long_count + 1}: line too short")
          and "\x1b" not in error, "not a terminal: standard error changed")

    def on_terminal(*args, output_too=False):
        main, side = pty.openpty()
        with open(os.path.join(work, "out"), "w+") as out:
            started = time.monotonic()
            tool_run = subprocess.Popen([tool, *args], stdout=side if output_too else out, stderr=side,
                                        stdin=subprocess.DEVNULL)
            os.close(side)
            said = b""
            try:
                while chunk := os.read(main, 65536):
                    said += chunk
            except OSError:  # the other side closed
                pass
            tool_run.wait()
            on_terminal.seconds = time.monotonic() - started
            out.seek(0)
            return tool_run.returncode, out.read(), said.decode()

    status, out, said = on_terminal("-j", "1", long_run)
    print(f"-- on a terminal: status {status}, stderr {said[-300:]!r}")
    check(status == 2 and out == plain.stdout, "on a terminal: the output changed")
    lines = re.findall(r"\r\x1b\[K(\d+) puzzles, (\d+)/s, (\d+):(\d\d) left", said)
    check(len(lines) >= 2, "on a terminal: no progress lines with the time left")
    check(len(lines) <= 10 * on_terminal.seconds + 1, f"on a terminal: {len(lines)} lines in {on_terminal.seconds:.1f} s")
    check([int(done) for done, *_ in lines] == sorted(int(done) for done, *_ in lines), "progress goes back")
    check(re.sub(r"\r\x1b\[K(\d+ puzzles, \d+/s, \d+:\d\d left)?", "", said) == error + "\r\n"
          and said.endswith("\r\x1b[K" + error + "\r\n"), "on a terminal: the error line is not erased clear")
    # With the reports on the terminal too, the line makes way for each of them.
    status, _, said = on_terminal("-j", "1", long_run, output_too=True)
    reports = re.sub(r"\r\x1b\[K(\d+ puzzles, \d+/s, \d+:\d\d left)?", "", said).split("\r\n")
    check(reports == plain.stdout.splitlines() + [error, ""] and re.search(r"left(?!\r\x1b\[K)", said) is None,
          "reports on the terminal: written over the progress line")
    check(said.count(" left") <= 10 * on_terminal.seconds + 1, "reports on the terminal: the line redrawn too often")
    status, out, said = on_terminal("--no-progress", "-j", "1", long_run)
    check(status == 2 and said == error + "\r\n", "--no-progress: standard error changed")

print("failures:", failures)
sys.exit(1 if failures else 0)
