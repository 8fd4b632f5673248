#!/usr/bin/env python3
"""Plants faults one at a time, rebuilds incrementally, runs ctest and counts which faults a test catches.

The faults are listed in tools/mutants/*.txt, one block per fault:

    # what the fault is (shown in the report)
    @ src/palette/lzw_decoder.cpp
    - the exact text of the original, once in that file (a whole line or a part of one)
    + the text that replaces it

A fault whose text is not found exactly once, or whose build fails, is reported as "invalid" and does not
count. Every file is restored after each fault, also on Ctrl+C. Not part of CI: a run takes minutes.

Usage: tools/mutate.py [--preset release] [--only TEXT] [--list FILE ...] [--tests REGEX] [--targets T ...] [--jobs N]
"""
import argparse
import glob
import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class Mutant:
    def __init__(self, source, name):
        self.source = source
        self.name = name
        self.file = None
        self.original = None
        self.replacement = None

    def complete(self):
        return self.file and self.original is not None and self.replacement is not None


def read_mutants(paths):
    mutants = []
    for path in paths:
        current = None
        with open(path, encoding="utf-8") as listing:
            for number, line in enumerate(listing, 1):
                line = line.rstrip("\n")
                where = f"{os.path.relpath(path, ROOT)}:{number}"
                if line.startswith("# "):
                    current = Mutant(where, line[2:].strip())
                    mutants.append(current)
                elif not line.strip():
                    continue
                elif current is None:
                    sys.exit(f"{where}: a fault starts with '# name'")
                elif line.startswith("@ "):
                    current.file = line[2:].strip()
                elif line.startswith("- ") or line.startswith("+ ") or line == "+":
                    if (current.original if line[0] == "-" else current.replacement) is not None:
                        sys.exit(f"{where}: a fault changes one line: one '-' and one '+' line each")
                    if line[0] == "-":
                        current.original = line[2:]
                    else:
                        current.replacement = line[2:]
                else:
                    sys.exit(f"{where}: expected '@ file', '- text' or '+ text'")
    for mutant in mutants:
        if not mutant.complete():
            sys.exit(f"{mutant.source}: fault '{mutant.name}' needs '@', '-' and '+' lines")
    return mutants


def run(command, timeout):
    try:
        return subprocess.run(command, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return "timeout"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--preset", default="release")
    parser.add_argument("--only", help="run only the faults whose name or file contains this text")
    parser.add_argument("--list", nargs="*", help="fault lists (default: tools/mutants/*.txt)")
    parser.add_argument("--tests", help="ctest -R: run only the tests matching this regular expression")
    parser.add_argument("--targets", nargs="*", help="build only these targets (the tests' programs) for each fault")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--timeout", type=int, default=600, help="seconds a test run may take")
    options = parser.parse_args()

    lists = options.list or sorted(glob.glob(os.path.join(ROOT, "tools", "mutants", "*.txt")))
    mutants = read_mutants(lists)
    if options.only:
        mutants = [m for m in mutants if options.only in m.name or options.only in m.file]

    build = ["cmake", "--build", "--preset", options.preset, "--", f"-j{options.jobs}"] + (options.targets or [])
    test = ["ctest", "--preset", options.preset, f"-j{options.jobs}", "--stop-on-failure",
            "--timeout", str(options.timeout), "-Q"]
    if options.tests:
        test += ["-R", options.tests]
    os.environ.setdefault("QT_QPA_PLATFORM", "offscreen")
    if run(build, None) != 0 or run(test, None) != 0:
        sys.exit("The unchanged tree does not build or its tests fail: fix that first.")

    results = {"killed": [], "survived": [], "invalid": []}
    for number, mutant in enumerate(mutants, 1):
        path = os.path.join(ROOT, mutant.file)
        started = time.monotonic()
        try:
            with open(path, encoding="utf-8") as source:
                text = source.read()
        except OSError:
            text = ""
        if text.count(mutant.original) != 1:
            verdict = "invalid"
            why = f"text found {text.count(mutant.original)} times"
        else:
            try:
                with open(path, "w", encoding="utf-8") as source:
                    source.write(text.replace(mutant.original, mutant.replacement))
                if run(build, None) != 0:
                    verdict, why = "invalid", "does not build"
                else:
                    outcome = run(test, options.timeout * 2)
                    verdict = "survived" if outcome == 0 else "killed"
                    why = "tests time out" if outcome == "timeout" else ""
            finally:
                with open(path, "w", encoding="utf-8") as source:
                    source.write(text)
        results[verdict].append(mutant)
        seconds = time.monotonic() - started
        print(f"[{number}/{len(mutants)}] {verdict:8} {mutant.name} ({mutant.file}) {why} {seconds:.0f} s",
              flush=True)

    run(build, None)
    valid = len(results["killed"]) + len(results["survived"])
    share = 100.0 * len(results["killed"]) / valid if valid else 0.0
    print(f"\nkilled {len(results['killed'])}, survived {len(results['survived'])}, "
          f"invalid {len(results['invalid'])}: {share:.0f}% of the valid faults killed")
    for mutant in results["survived"]:
        print(f"  survived: {mutant.name} ({mutant.source})")
    for mutant in results["invalid"]:
        print(f"  invalid:  {mutant.name} ({mutant.source})")
    return 0 if not results["survived"] else 1


if __name__ == "__main__":
    sys.exit(main())
