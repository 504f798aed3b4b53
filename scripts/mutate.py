#!/usr/bin/env python3
"""The mutation gauge: how many small faults seeded into the library the tests catch.

Seeds one fault at a time into a scratch copy of the tree (build/mutate/tree, built in
build/mutate/build), never into the working tree: flips a comparison, swaps && and ||, negates a
condition, drops a call statement or changes a number by one, in one line of src/snapforge/*.cpp.
Each mutant is rebuilt incrementally and the tests run fail-fast under a timeout; a mutant that
does not compile is skipped, one listed in scripts/mutate-equivalent.txt is not counted. Prints
each surviving mutant with its file, line and diff, and the score.

    scripts/mutate.py [--seed N] [--mutants N] [--fresh]     (make mutate SEED=N MUTANTS=N)

A mutant killed in an earlier run is taken as killed while its file is unchanged (the tests
only grow); --fresh tries them all again.
"""

import argparse
import difflib
import functools
import hashlib
import json
import os
import random
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SCRATCH = ROOT / "build" / "mutate"
TREE = SCRATCH / "tree"
BUILD = SCRATCH / "build"
EQUIVALENT_LIST = ROOT / "scripts" / "mutate-equivalent.txt"
# Mutants the tests have killed, each with a digest of its file as it was: a later run takes
# them as killed without building them while that file is unchanged, since tests added since
# cannot let them through again (--fresh tries every mutant anew).
KILLED_CACHE = SCRATCH / "killed.txt"
# What the tests need of the tree; the rest of the repository stays out of the copy.
COPIED = ["CMakeLists.txt", "assets", "bench", "cmake", "docs", "fuzz", "soak", "src", "tests"]
MUTATED = "src/snapforge"
# Too slow for a gauge that runs every test once per mutant: a soak of ten thousand uses and a
# browser loading the tour's report. The first looks for growth, the second at pictures in a
# browser; the story tests and goldens see what they would.
SLOW_TESTS = "Soak.*:ScreenPictures.TheTourReportLoadsEveryFrameInABrowserAndShowsTheScreen"
TEST_TIMEOUT_FACTOR = 4
# A mutant's rebuild is a compile and two links; the first build of the copy has no limit.
MUTANT_BUILD_TIMEOUT_SECONDS = 600


@dataclass
class Mutant:
    path: str  # relative to the tree
    line: int  # 1-based
    operator: str
    original: str  # the whole line before and after
    mutated: str

    def listed_in(self, equivalent):
        change = (self.original.strip(), self.mutated.strip())
        return ((self.path, None, *change) in equivalent or
                (self.path, self.line, *change) in equivalent)

    def diff(self):
        return "".join(difflib.unified_diff(
            [self.original], [self.mutated], f"a/{self.path}", f"b/{self.path}", n=0,
            lineterm="\n")).replace("@@ -1 +1 @@", f"@@ -{self.line} +{self.line} @@")


# Finding mutants.

def masked(text):
    """The text with comments and the insides of string and character literals blanked, so
    that mutations only find code. Positions and line breaks stay where they were."""
    out = list(text)
    i, n = 0, len(text)

    def blank(start, end):
        for k in range(start, end):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        if text.startswith("//", i):
            end = text.find("\n", i)
            end = n if end < 0 else end
            blank(i, end)
            i = end
        elif text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            blank(i, end)
            i = end
        elif text.startswith('R"', i):
            delimiter = text[i + 2:text.find("(", i)]
            end = text.find(")" + delimiter + '"', i) + len(delimiter) + 2
            blank(i + 2, end - 1)
            i = end
        elif text[i] in "\"'":
            quote, k = text[i], i + 1
            while k < n and text[k] != quote:
                k += 2 if text[k] == "\\" else 1
            blank(i + 1, k)
            i = k + 1
        else:
            i += 1
    return "".join(out)


COMPARISONS = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
COMPARISON = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)")
LOGICAL = re.compile(r"(?<=\s)(&&|\|\|)(?=\s)")
CONDITION = re.compile(r"\b(if|while) \(")
NUMBER = re.compile(r"(?<![\w.])(\d+\.\d*|\.\d+|\d+)(f?)(?![\w.'])")
# A call as a whole statement on its own line: `name(...);`, `object->method(...);`.
CALL = re.compile(r"^(\s*)([A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*)*\(.*\);)\s*$")
NOT_CALLS = {"return", "delete", "throw", "case", "goto", "co_return", "static_assert"}


def closing_paren(text, start):
    depth = 0
    for k in range(start, len(text)):
        if text[k] == "(":
            depth += 1
        elif text[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


def line_mutants(path, line, code, number, previous):
    """The mutants of one line: `code` is the line masked, `previous` the last code before it."""
    found = []

    def replaced(start, end, text, operator):
        found.append(Mutant(path, number, operator, line, line[:start] + text + line[end:]))

    if code.lstrip().startswith("#"):
        return found
    for m in COMPARISON.finditer(code):
        replaced(m.start(), m.end(), COMPARISONS[m.group(1)], "flip comparison")
    for m in LOGICAL.finditer(code):
        replaced(m.start(), m.end(), "||" if m.group(1) == "&&" else "&&", "swap && and ||")
    for m in NUMBER.finditer(code):
        digits, suffix = m.group(1), m.group(2)
        bumped = str(int(digits) + 1) if digits.isdigit() else repr(float(digits) + 1)
        replaced(m.start(), m.end(), bumped + suffix, "change a number by one")
    call = CALL.match(code)
    name = call.group(2).split("(")[0] if call else ""
    # Not a macro (the hook table's lines stand outside functions), nor a line continuing an
    # expression from the line before.
    if (call and name not in NOT_CALLS and not name.isupper() and " = " not in call.group(2)
            and previous[-1:] in (";", "{", "}", ":") and
            call.group(2).count("(") == call.group(2).count(")")):
        found.append(Mutant(path, number, "drop a call", line, call.group(1) + "{}\n"))
    return found


def file_mutants(path):
    text = (TREE / path).read_text()
    code = masked(text)
    lines = text.splitlines(keepends=True)
    found = []
    previous = "{"
    for number, code_line in enumerate(code.splitlines(keepends=True), start=1):
        found += line_mutants(path, lines[number - 1], code_line, number, previous)
        previous = code_line.strip() or previous
    # A negated condition may span lines: it is found in the whole text.
    for m in CONDITION.finditer(code):
        open_at = m.end() - 1
        close_at = closing_paren(code, open_at)
        condition = code[open_at + 1:close_at]
        if close_at < 0 or ";" in condition:
            continue
        number = code.count("\n", 0, open_at) + 1
        end_line = code.count("\n", 0, close_at) + 1
        if end_line != number:
            continue
        start = open_at - (code.rfind("\n", 0, open_at) + 1)
        end = close_at - (code.rfind("\n", 0, close_at) + 1)
        line = lines[number - 1]
        mutated = line[:start + 1] + "!(" + line[start + 1:end] + ")" + line[end:]
        found.append(Mutant(path, number, "negate a condition", line, mutated))
    return found


def all_mutants():
    paths = sorted(str(p.relative_to(TREE)) for p in (TREE / MUTATED).rglob("*.cpp"))
    return [mutant for path in paths for mutant in file_mutants(path)]


def equivalent_keys():
    """`FILE: LINE => MUTATED LINE  # why`, one a line, or `FILE:NUMBER: ...` when the same
    line elsewhere in the file is not equivalent; `#` starts a comment line."""
    keys = set()
    for entry in EQUIVALENT_LIST.read_text().splitlines():
        if not entry.strip() or entry.startswith("#"):
            continue
        place, rest = entry.split(": ", 1)
        path, _, number = place.strip().partition(":")
        change = rest.rsplit("  # ", 1)[0]
        original, mutated = change.split(" => ", 1)
        keys.add((path, int(number) if number else None, original.strip(), mutated.strip()))
    return keys


# The scratch tree and its build.

def tracked_files():
    listed = subprocess.run(
        ["git", "ls-files", "--cached", "--others", "--exclude-standard", "--", *COPIED],
        cwd=ROOT, check=True, capture_output=True, text=True).stdout.splitlines()
    return [name for name in listed if (ROOT / name).is_file()]


def sync_tree():
    """Makes the scratch tree the working tree's copy, touching only files that differ, so
    that the scratch build stays incremental (and an interrupted run's mutant is undone)."""
    wanted = set(tracked_files())
    for name in sorted(wanted):
        source, copy = ROOT / name, TREE / name
        if not copy.exists() or copy.read_bytes() != source.read_bytes():
            copy.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(source, copy)
    for copy in TREE.rglob("*"):
        if copy.is_file() and str(copy.relative_to(TREE)) not in wanted:
            copy.unlink()


def configure():
    if (BUILD / "build.ninja").exists():
        return
    # No debug information and the faster linker: a mutant costs a compile and two links.
    subprocess.run(["cmake", "-S", str(TREE), "-B", str(BUILD), "-G", "Ninja",
                    "-DCMAKE_BUILD_TYPE=None", "-DCMAKE_CXX_FLAGS=-O0 -g0",
                    "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"], check=True, stdout=subprocess.DEVNULL)


def build(timeout=MUTANT_BUILD_TIMEOUT_SECONDS):
    try:
        return subprocess.run(["ninja", "-C", str(BUILD), "snapforge-tests"], capture_output=True,
                              text=True, timeout=timeout).returncode == 0
    except subprocess.TimeoutExpired:
        return False


def run_tests(timeout):
    """'passed', 'failed' or 'timed out', and what the tests printed."""
    command = [str(BUILD / "snapforge-tests"), "--gtest_fail_fast", "--gtest_brief=1",
               f"--gtest_filter=-{SLOW_TESTS}"]
    try:
        done = subprocess.run(command, cwd=BUILD, capture_output=True, text=True,
                              timeout=timeout)
    except subprocess.TimeoutExpired:
        return "timed out", ""
    return ("passed" if done.returncode == 0 else "failed"), done.stdout + done.stderr


@functools.cache
def file_digest(path):
    """The digest of a library file as the working tree holds it (read once a run)."""
    return hashlib.sha256((ROOT / path).read_bytes()).hexdigest()


def cache_key(mutant):
    return json.dumps([mutant.path, mutant.line, mutant.original, mutant.mutated,
                       file_digest(mutant.path)])


def read_killed_cache():
    return set(KILLED_CACHE.read_text().splitlines()) if KILLED_CACHE.exists() else set()


def try_mutant(mutant, timeout):
    """'killed', 'survived', 'timed out' (a hang the tests catch) or 'no build'."""
    file = TREE / mutant.path
    original = file.read_text()
    lines = original.splitlines(keepends=True)
    lines[mutant.line - 1] = mutant.mutated
    file.write_text("".join(lines))
    try:
        if not build():
            return "no build"
        outcome, _ = run_tests(timeout)
        return {"passed": "survived", "failed": "killed"}.get(outcome, outcome)
    finally:
        file.write_text(original)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seed", type=int, default=int(os.environ.get("SEED", 1)))
    parser.add_argument("--mutants", type=int, default=int(os.environ.get("MUTANTS", 40)))
    parser.add_argument("--fresh", action="store_true",
                        help="try every mutant, even those killed in an earlier run")
    args = parser.parse_args()

    print(f"mutate: copying the tree to {TREE.relative_to(ROOT)} and building it", flush=True)
    TREE.mkdir(parents=True, exist_ok=True)
    sync_tree()
    configure()
    if not build(timeout=None):
        sys.exit("mutate: the unmutated tree does not build")
    started = time.monotonic()
    outcome, printed = run_tests(None)
    if outcome != "passed":
        sys.exit(printed + "\nmutate: the tests fail without a mutant")
    baseline = time.monotonic() - started
    timeout = max(30.0, TEST_TIMEOUT_FACTOR * baseline)
    print(f"mutate: the tests take {baseline:.1f} s; a mutant's tests are stopped after "
          f"{timeout:.0f} s", flush=True)

    candidates = all_mutants()
    random.Random(args.seed).shuffle(candidates)
    equivalent = equivalent_keys()
    killed_before = set() if args.fresh else read_killed_cache()
    results, skipped_equivalent, not_built = [], 0, 0
    run_started = time.monotonic()
    for mutant in candidates:
        if len(results) == args.mutants:
            break
        if mutant.listed_in(equivalent):
            skipped_equivalent += 1
            continue
        mutant_started = time.monotonic()
        key = cache_key(mutant)
        outcome = "killed" if key in killed_before else try_mutant(mutant, timeout)
        seconds = time.monotonic() - mutant_started
        if outcome == "no build":
            not_built += 1
            continue
        if outcome != "survived" and key not in killed_before:
            with KILLED_CACHE.open("a") as cache:
                cache.write(key + "\n")
        results.append((mutant, outcome))
        print(f"  {len(results):3}/{args.mutants} {outcome:9} {seconds:5.1f} s  "
              f"{mutant.path}:{mutant.line}  {mutant.operator}", flush=True)
    build()  # leaves the scratch build matching the tree

    survivors = [mutant for mutant, outcome in results if outcome == "survived"]
    if survivors:
        print("\nsurvivors (a test or golden should catch each, or list it in "
              f"{EQUIVALENT_LIST.relative_to(ROOT)} with why it changes nothing):")
        for mutant in survivors:
            print(f"\n{mutant.path}:{mutant.line}  {mutant.operator}\n{mutant.diff()}", end="")
    killed = len(results) - len(survivors)
    minutes = (time.monotonic() - run_started) / 60
    print(f"\nseed {args.seed}: {killed} of {len(results)} mutants killed "
          f"({100 * killed / max(1, len(results)):.0f}%); {not_built} did not build, "
          f"{skipped_equivalent} listed as equivalent; {len(candidates)} candidates; "
          f"{minutes:.1f} min")


if __name__ == "__main__":
    main()
