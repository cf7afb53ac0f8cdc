#!/usr/bin/env python3
"""Breaks one rule of the program at a time and checks that a test notices.

Each line of a fault list (tools/mutate/faults/*.txt) is one fault:

    file @@ text @@ replacement @@ the rule it breaks

`text` must occur exactly once in `file` (a path from the repository's root); an empty
replacement (" @@ @@ ") removes it. For each fault the runner puts the replacement in,
rebuilds, runs every test but the end-to-end scripts and the fuzzers, puts the text back,
and prints caught or MISSED. When the only tests that failed are the timing-sensitive ones
(the music's gap and CPU checks, relay latency, ping windows, the window test), which a busy
machine can fail on its own, those are run once more alone and the fault counts as caught
only if one fails again. A test that ran into its time-out is marked "(time-out)" in the
report: a fault should fail an assertion. Lines that start with '#' and blank lines are skipped;
'## heading' lines group the report.

    python3 tools/mutate/mutate.py [--check] [--only REGEX] [--tests REGEX] [--build DIR] [lists...]

With no lists it takes every list in tools/mutate/faults/. The server's tests bind the
fixed port 9999, so the tests run in a network namespace of their own (unshare -n) when
the machine allows it, and runs beside each other do not collide. CI does not run this.
"""
import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import time

# Tests that measure wall-clock or CPU time, or wait on a window against a deadline: a
# crowded machine alone can fail them.
TIMED = re.compile(r"^(windowTest|Sound\.(MusicLoopsWithoutAGapAndWithoutSpinning|TracksThatCannotPlayLeaveItSilent)"
                   r"|Server\.(EmptyDatagramFloodDelaysAndDropsNobody|SilentClientIsPingedThenDroppedWhileOthersAnswer"
                   r"|AnyValidDatagramAnswersAPingButAnInvalidOneDoesNot))$")

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))


class Fault:
    def __init__(self, where, group, path, text, replacement, rule):
        self.where, self.group = where, group
        self.path, self.text, self.replacement, self.rule = path, text, replacement, rule


def readFaults(lists):
    faults, problems = [], []
    for name in lists:
        group = os.path.basename(name)
        with open(name, encoding="utf-8") as f:
            for number, line in enumerate(f, 1):
                line = line.rstrip("\n")
                where = f"{os.path.relpath(name, ROOT)}:{number}"
                if line.startswith("## "):
                    group = line[3:].strip()
                    continue
                if not line.strip() or line.startswith("#"):
                    continue
                # " @@ @@ " is an empty replacement: the text is removed.
                fields = re.split(r" ?@@ ?", line)
                if len(fields) != 4:
                    problems.append(f"{where}: want 4 fields separated by ' @@ '")
                    continue
                fault = Fault(where, group, *[x.strip() if i in (0, 3) else x
                                              for i, x in enumerate(fields)])
                full = os.path.join(ROOT, fault.path)
                if not os.path.isfile(full):
                    problems.append(f"{where}: no file {fault.path}")
                    continue
                with open(full, encoding="utf-8") as src:
                    n = src.read().count(fault.text)
                if n != 1:
                    problems.append(f"{where}: the text occurs {n} times in {fault.path}")
                    continue
                faults.append(fault)
    return faults, problems


def run(cmd, timeout=None):
    return subprocess.run(cmd, cwd=ROOT, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, timeout=timeout)


def testCommand(build, only, exclude=None, jobs=None, stop=True):
    skip = "^(e2e|fuzz)" + (f"|^({exclude})$" if exclude else "")
    ctest = ["ctest", "--test-dir", build, "-j", jobs or str(os.cpu_count() or 4), "-E", skip,
             "--timeout", "180"] + (["--stop-on-failure"] if stop else [])
    if only:
        ctest += ["-R", only]
    isolated = run(["unshare", "-n", "true"]).returncode == 0
    if not isolated:
        return ctest
    line = " ".join(f"'{a}'" for a in ctest)
    return ["unshare", "-n", "bash", "-c", f"ip link set lo up && {line}"]


def failedTests(output):
    # A test that ran into CTest's time-out is marked: a fault should fail an assertion.
    names = [name + (" (time-out)" if why == "Timeout" else "")
             for name, why in re.findall(r"\d+ - (\S+) \(([^)]*)\)", output)]
    return names or ["(the run itself failed)"]


def main():
    parser = argparse.ArgumentParser(description="Break one rule at a time; report caught or missed.")
    parser.add_argument("lists", nargs="*")
    parser.add_argument("--only", help="run only the faults whose line matches this regex")
    parser.add_argument("--build", default="build-mutate", help="build folder (default build-mutate)")
    parser.add_argument("--check", action="store_true",
                        help="only check that every fault applies (its text occurs once)")
    parser.add_argument("--tests", help="run only the tests matching this regex (quick checks; "
                        "a fault counts as caught only against all the tests)")
    args = parser.parse_args()
    lists = args.lists or sorted(os.path.join(ROOT, "tools", "mutate", "faults", n)
                                 for n in os.listdir(os.path.join(ROOT, "tools", "mutate", "faults"))
                                 if n.endswith(".txt"))
    faults, problems = readFaults([os.path.abspath(n) for n in lists])
    for p in problems:
        print("BAD LINE", p)
    if args.only:
        pattern = re.compile(args.only)
        faults = [f for f in faults if pattern.search(f"{f.where} {f.path} {f.text} {f.rule}")]
    if args.check:
        print(f"{len(faults)} faults apply, {len(problems)} do not")
        return 1 if problems else 0
    if not faults:
        print("no faults to run")
        return 1 if problems else 0

    build = os.path.join(ROOT, args.build)
    jobs = str(os.cpu_count() or 4)
    # The ordinary build's optimisation without its debug information, which only slows the
    # relinks that every fault costs.
    configure = ["cmake", "-S", ".", "-B", build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                 "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG"]
    if shutil.which("ld.lld"):
        configure.append("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld")
    if run(configure).returncode:
        print("cmake failed")
        return 1
    tests = testCommand(build, args.tests)

    def buildAndTest():
        made = run(["cmake", "--build", build, "-j", jobs])
        if made.returncode:
            return "build", made.stdout
        tested = run(tests)
        if not tested.returncode:
            return "pass", tested.stdout
        failed = re.findall(r"\d+ - (\S+) \(", tested.stdout)
        if failed and all(TIMED.match(n) for n in failed):
            # Only timed tests failed: run them once more alone, one at a time. When they
            # pass, the rest (which --stop-on-failure may have cut short) decide.
            names = "|".join(re.escape(n) for n in failed)
            alone = run(testCommand(build, f"^({names})$", jobs="1", stop=False))
            if alone.returncode:
                return "fail", alone.stdout
            rest = run(testCommand(build, args.tests, exclude=names))
            return ("fail" if rest.returncode else "pass"), rest.stdout
        return "fail", tested.stdout

    print(f"baseline: building and testing {build}", flush=True)
    state, out = buildAndTest()
    if state != "pass":
        print(out[-4000:])
        print("the unchanged program does not pass its tests: nothing to measure")
        return 1

    # Whatever ends the run, the file under change gets its text back.
    current = {}

    def restore(*_):
        for path, original in current.items():
            with open(path, "w", encoding="utf-8") as f:
                f.write(original)
        current.clear()

    signal.signal(signal.SIGINT, lambda *a: (restore(), sys.exit(130)))
    signal.signal(signal.SIGTERM, lambda *a: (restore(), sys.exit(143)))

    results, group = [], None
    for fault in faults:
        if fault.group != group:
            group = fault.group
            print(f"== {group}", flush=True)
        full = os.path.join(ROOT, fault.path)
        with open(full, encoding="utf-8") as f:
            original = f.read()
        current[full] = original
        start = time.time()
        try:
            with open(full, "w", encoding="utf-8") as f:
                f.write(original.replace(fault.text, fault.replacement, 1))
            state, out = buildAndTest()
        finally:
            restore()
        seconds = time.time() - start
        if state == "build":
            verdict = "NO BUILD"
        elif state == "fail":
            verdict = "caught   " + " ".join(failedTests(out)[:3])
        else:
            verdict = "MISSED"
        results.append((fault, state))
        print(f"{verdict:<60} {fault.where}  {fault.rule}  ({seconds:.0f} s)", flush=True)

    built = [r for r in results if r[1] != "build"]
    caught = sum(1 for r in built if r[1] == "fail")
    print(f"\ntotal: {caught} of {len(built)} caught", end="")
    unbuilt = len(results) - len(built)
    print(f", {unbuilt} did not build" if unbuilt else "")
    for fault, state in results:
        if state == "pass":
            print(f"  missed: {fault.where}  {fault.rule}")
    # Leave the build folder matching the restored sources.
    run(["cmake", "--build", build, "-j", jobs])
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
