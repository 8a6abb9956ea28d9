#!/usr/bin/env python3
"""Mutation check: which tests catch which small faults in the sources.

Applies one mutation at a time to the chosen files, rebuilds only the test executables that
depend on the mutated file (in build/mutation, so the developer's build is left alone), runs their
tests and records, per mutant, the tests that failed. Same seed and same sources give the same
mutants in the same order.

    python3 tools/mutate.py --seed 1 --count 300 --files 'src/core/**/*.cpp' 'src/gui/toolkit/*.cpp'
"""

import argparse
import glob
import hashlib
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from collections import Counter
from concurrent.futures import ThreadPoolExecutor

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "mutation")
BACKUP = os.path.join(BUILD, "mutate-backup")
# Same preset as the developer's build, less the debug information, which only slows compiling
# and linking here; lld, where there is one, links the test executables several times faster.
CONFIGURE = ["cmake", "--preset", "default", "-B", BUILD,
             "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -DNDEBUG", "-DVARNELLE_BENCH=OFF"]
if shutil.which("ld.lld"):
    CONFIGURE.append("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld")


# ---- Finding mutants -------------------------------------------------------------------------

def code_mask(text):
    """True for each character that is code: not in a comment, a literal or a preprocessor line."""
    mask = [True] * len(text)
    i, n, line_start = 0, len(text), True
    while i < n:
        c = text[i]
        if line_start and c == "#":  # preprocessor line, with its continuations
            j = i
            while j < n and not (text[j] == "\n" and text[j - 1] != "\\"):
                j += 1
            mask[i:j] = [False] * (j - i)
            i = j
            continue
        if c == "\n":
            line_start = True
        elif not c.isspace():
            line_start = False
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
        elif c == "R" and text.startswith('R"', i) and (i == 0 or not text[i - 1].isalnum()):
            delim = text[i + 2:text.find("(", i)]
            j = text.find(")" + delim + '"', i) + len(delim) + 2
        elif c == '"' or (c == "'" and not (i > 0 and text[i - 1].isdigit())):
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == "\\" else 1
            j += 1
        else:
            i += 1
            continue
        mask[i:j] = [False] * (j - i)
        i = j
    return mask


# clang-format puts spaces around binary operators and none inside template brackets, so
# " < " is a comparison and "vector<int>" is not.
SWAPS = {" < ": " <= ", " <= ": " < ", " > ": " >= ", " >= ": " > ", " == ": " != ",
         " != ": " == ", " + ": " - ", " - ": " + ", " += ": " -= ", " -= ": " += ",
         " && ": " || ", " || ": " && ", "return true;": "return false;",
         "return false;": "return true;"}
SWAP_RE = re.compile("|".join(re.escape(k) for k in sorted(SWAPS, key=len, reverse=True)))
INT_RE = re.compile(r"(?<![\w.'])(\d+)([uUlL]*)(?![\w.'])")
# A whole-line statement with an effect: a call, an assignment, an increment, break or continue.
# Declarations ("Type name = ...") do not match, as dropping one only breaks the build.
STATEMENT_RE = re.compile(r"[ \t]*((?:[A-Za-z_][\w]*(?:(?:\.|->|::)[A-Za-z_]\w*|\[[^\]]*\])*"
                          r"\s*(?:[-+*/|&]?=(?!=)|\(|\+\+|--)|\+\+|--|break;|continue;).*;)[ \t]*$")


def find_mutants(path):
    text = open(os.path.join(ROOT, path), encoding="utf-8", errors="surrogateescape").read()
    mask = code_mask(text)
    found = []

    def add(start, old, new, op):
        if all(mask[start:start + len(old)]):
            line = text.count("\n", 0, start) + 1
            col = start - (text.rfind("\n", 0, start) + 1) + 1
            found.append({"file": path, "offset": start, "line": line, "col": col,
                          "operator": op, "original": old, "replacement": new})

    for m in SWAP_RE.finditer(text):
        op = "boolean" if m.group().startswith("return") else "operator"
        add(m.start(), m.group(), SWAPS[m.group()], op)
    for m in INT_RE.finditer(text):
        value = int(m.group(1))
        for new in (value + 1, value - 1):
            if new >= 0:
                add(m.start(), m.group(), f"{new}{m.group(2)}", "constant")
    pos = 0
    for raw in text.split("\n"):
        m = STATEMENT_RE.match(raw)
        if m and raw.count("(") == raw.count(")") and "{" not in raw and "}" not in raw:
            start = j = pos + m.start(1)
            while j > 0 and (not mask[j - 1] or text[j - 1].isspace()):
                j -= 1
            if j > 0 and text[j - 1] in ";{})":  # the line starts a statement
                add(start, m.group(1), ";", "drop")
        pos += len(raw) + 1
    return text, found


def mutant_id(m):
    return f"{m['file']}:{m['line']}:{m['col']}:{m['original'].strip()}->{m['replacement'].strip()}"


# ---- Processes -------------------------------------------------------------------------------

LIVE = set()  # process groups started here and still running


def run(cmd, timeout=None, **kw):
    """Runs cmd in its own process group; kills the group on a timeout or an interrupt."""
    proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                            errors="replace", start_new_session=True, **kw)
    LIVE.add(proc.pid)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out, False
    except subprocess.TimeoutExpired:
        os.killpg(proc.pid, signal.SIGKILL)
        return None, proc.communicate()[0], True
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        raise
    finally:
        LIVE.discard(proc.pid)


def kill_live():
    for pid in list(LIVE):
        try:
            os.killpg(pid, signal.SIGKILL)
        except ProcessLookupError:
            pass


def ninja(*args):
    code, out, _ = run(["ninja", "-C", BUILD, *args])
    return code, out


def forward_closure(paths):
    """Every ninja output that depends, directly or not, on one of paths."""
    seen, todo = set(), list(paths)
    while todo:
        _, out = ninja("-t", "query", *todo)
        todo = []
        in_outputs = False
        for line in out.splitlines():
            if not line.startswith(" "):
                in_outputs = False
            elif line.strip() == "outputs:":
                in_outputs = True
            elif in_outputs and line.startswith("    "):
                target = line.strip()
                if target not in seen:
                    seen.add(target)
                    todo.append(target)
    return seen


def header_users():
    """Object file -> the sources and headers it was compiled from (ninja's recorded deps)."""
    _, out = ninja("-t", "deps")
    users, current = {}, None
    for line in out.splitlines():
        if line and not line.startswith(" "):
            current = line.split(":")[0]
        elif line.strip() and current:
            dep = os.path.normpath(os.path.join(BUILD, line.strip()))
            users.setdefault(dep, set()).add(current)
    return users


def ctest_tests():
    """CTest name -> command, with the name gtest gives it when the test is one gtest case."""
    code, out, _ = run(["ctest", "--show-only=json-v1"], cwd=BUILD)
    tests = {}
    for t in json.loads(out)["tests"]:
        cmd = t.get("command") or []
        gtest = next((a.split("=", 1)[1] for a in cmd if a.startswith("--gtest_filter=")), None)
        exe = os.path.relpath(cmd[0], BUILD) if cmd and os.path.isabs(cmd[0]) else ""
        tests[t["name"]] = {"exe": exe, "gtest": gtest}
    return tests


# ---- Running the tests -----------------------------------------------------------------------

GTEST_LINE = re.compile(r"^\[ *(RUN|OK|FAILED) *\] ([^ ,]+)")


def run_gtest(exe, names, timeout):
    """Runs a gtest executable once; returns (failed ctest names, timed out)."""
    by_case = {case: name for name, case in names.items()}
    exe = os.path.join(BUILD, exe)
    code, out, timed_out = run([exe, "--gtest_filter=" + ":".join(sorted(by_case))],
                               timeout=timeout, cwd=os.path.dirname(exe))
    failed, running = set(), None
    for line in out.splitlines():
        m = GTEST_LINE.match(line)
        if m and m.group(2) in by_case:
            running = m.group(2) if m.group(1) == "RUN" else None
            if m.group(1) == "FAILED":
                failed.add(by_case[m.group(2)])
    if running and not timed_out:  # the case that crashed the executable
        failed.add(by_case[running])
    if code not in (0, None) and not failed:
        failed.add(os.path.basename(exe))
    return failed, timed_out


CTEST_LINE = re.compile(r"Test +#\d+: (\S+) \.*\s*(\*\*\*)?(\w+)")


def run_ctest(names, timeout, jobs):
    """Runs plain CTest tests; returns (failed names, timed-out names)."""
    regex = "^(" + "|".join(re.escape(n) for n in names) + ")$"
    _, out, _ = run(["ctest", "-R", regex, "-j", str(jobs), "--timeout", str(timeout)],
                    timeout=timeout * len(names) + 60, cwd=BUILD)
    failed, timed_out = set(), set()
    for m in CTEST_LINE.finditer(out):
        if m.group(3) == "Timeout":
            timed_out.add(m.group(1))
        elif m.group(3) != "Passed":
            failed.add(m.group(1))
    return failed, timed_out


def run_tests(tests, names, timeout, jobs):
    gtests, plain = {}, []
    for name in names:
        t = tests[name]
        if t["gtest"]:
            gtests.setdefault(t["exe"], {})[name] = t["gtest"]
        else:
            plain.append(name)
    pool = ThreadPoolExecutor(max_workers=jobs)
    try:
        futures = [pool.submit(run_gtest, exe, cases, timeout) for exe, cases in gtests.items()]
        if plain:
            futures.append(pool.submit(run_ctest, plain, timeout, jobs))
        failed, timed_out = set(), False
        for f in futures:
            fail, tout = f.result()
            failed |= fail
            timed_out = timed_out or bool(tout)
        return failed, timed_out
    except BaseException:
        kill_live()  # an interrupt should not wait for the tests to end
        raise
    finally:
        pool.shutdown()


# ---- The run ---------------------------------------------------------------------------------

def restore_leftovers():
    """A run killed outright leaves its backup behind: put the source back first, with a new
    time, as the objects built from the mutant are not known here and must be remade."""
    for dirpath, _, files in os.walk(BACKUP):
        for f in files:
            rel = os.path.relpath(os.path.join(dirpath, f), BACKUP)
            shutil.copyfile(os.path.join(dirpath, f), os.path.join(ROOT, rel))
            os.remove(os.path.join(dirpath, f))
            print(f"restored {rel} from an interrupted run", file=sys.stderr)


def file_hash(path):
    with open(path, "rb") as f:
        return hashlib.sha256(f.read()).hexdigest()


def prepare(sources, sample, args):
    """Builds what links the chosen files, then asks ninja's recorded deps which objects each
    file (source or header) goes into and which test executables link those objects."""
    if not os.path.exists(os.path.join(BUILD, "build.ninja")):
        run(CONFIGURE, cwd=ROOT)
    # Tests added, merged or renamed since the last run change the targets: regenerate first.
    ninja("build.ninja")
    _, out = ninja("-t", "targets", "all")
    exes = {line.split(":")[0] for line in out.splitlines()
            if ": CXX_EXECUTABLE_LINKER" in line and not line.split(":")[0].endswith(".cmake")}
    if all(f.endswith(".cpp") for f in sources):
        exes &= forward_closure([os.path.join(ROOT, f) for f in sources])
    code, out = ninja("-j", str(args.jobs), *sorted(exes))
    if code:
        sys.exit("the unmutated build fails:\n" + out[-3000:])
    # Discovered gtest cases are known only once their executable is built.
    tests = {n: t for n, t in ctest_tests().items() if re.search(args.tests, n)}
    users = header_users()
    plan = {}
    for f in sorted({m["file"] for m in sample}):
        objects = sorted(users.get(os.path.join(ROOT, f), ()))
        closure = forward_closure(objects) & exes
        names = sorted(n for n, t in tests.items() if t["exe"] in closure)
        plan[f] = {"objects": objects, "tests": names,
                   "targets": sorted({tests[n]["exe"] for n in names}),
                   "hashes": {o: file_hash(os.path.join(BUILD, o)) for o in objects}}

    # Tests that fail unmutated cannot kill anything, and their time sets the limit.
    everything = sorted({n for p in plan.values() for n in p["tests"]})
    start = time.time()
    broken, _ = run_tests(tests, everything, args.timeout or 600, args.jobs)
    timeout = args.timeout or 3 * (time.time() - start) + 10
    for p in plan.values():
        p["tests"] = [n for n in p["tests"] if n not in broken]
    print(f"unmutated: {len(everything)} tests, {len(broken)} failing, "
          f"limit {timeout:.0f} s per executable")
    return tests, plan, timeout


def try_mutant(m, text, plan, tests, timeout, jobs):
    """Writes the mutant over its file, rebuilds, runs the tests: (status, failed tests)."""
    with open(os.path.join(ROOT, m["file"]), "w", encoding="utf-8",
              errors="surrogateescape") as dst:
        dst.write(text[:m["offset"]] + m["replacement"] + text[m["offset"] + len(m["original"]):])
    p = plan[m["file"]]
    if not p["tests"]:
        return "no tests", set()
    if ninja("-j", str(jobs), *p["targets"])[0]:
        return "build error", set()
    if all(file_hash(os.path.join(BUILD, o)) == h for o, h in p["hashes"].items()):
        return "equivalent", set()  # the compiler made the very same code
    failed, timed_out = run_tests(tests, p["tests"], timeout, jobs)
    return ("killed" if failed else "timeout" if timed_out else "survived"), failed


def restore(f, plan):
    """Puts the source back as it was, its time included, so the developer's build sees no
    change; the objects built from mutants go, so this build remakes them unmutated."""
    shutil.copy2(os.path.join(BACKUP, f), os.path.join(ROOT, f))
    for o in plan[f]["objects"]:
        if os.path.exists(os.path.join(BUILD, o)):
            os.remove(os.path.join(BUILD, o))
    os.remove(os.path.join(BACKUP, f))


def summarize(results, args, seconds):
    counts = {s: sum(r["status"] == s for r in results)
              for s in ("killed", "survived", "build error", "timeout", "equivalent", "no tests")}
    decided = counts["killed"] + counts["survived"]
    kills = {}
    for r in results:
        for n in r["killed_by"]:
            kills.setdefault(n, []).append(r["id"])
        for n in r.get("ran", ()):
            kills.setdefault(n, [])
    killers = Counter(k for ks in kills.values() for k in ks)
    keys = ("id", "file", "line", "col", "operator", "original", "replacement", "status",
            "killed_by", "seconds")
    return {"seed": args.seed, "count": args.count, "files": args.files, "seconds": seconds,
            "counts": counts, "score": counts["killed"] / decided if decided else None,
            "mutants": [{k: r[k] for k in keys} for r in results],
            "tests": dict(sorted(kills.items())),
            "unique_kills": {n: [k for k in ks if killers[k] == 1]
                             for n, ks in sorted(kills.items())}}


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--count", type=int, default=100, help="mutants to sample")
    ap.add_argument("--files", nargs="+", default=["src/core/**/*.cpp", "src/gui/toolkit/*.cpp"],
                    help="globs, relative to the source root")
    ap.add_argument("--timeout", type=float, default=None,
                    help="seconds per test executable (default: 3 x the unmutated run + 10)")
    ap.add_argument("--tests", default="", help="only the CTest tests matching this regex")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--list", action="store_true", help="print the sampled mutants and stop")
    ap.add_argument("--out", default=os.path.join(BUILD, "report"))
    args = ap.parse_args()
    # Either signal ends the run through the code that restores the source.
    signal.signal(signal.SIGINT, signal.default_int_handler)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    restore_leftovers()

    files = sorted({os.path.relpath(p, ROOT) for g in args.files
                    for p in glob.glob(os.path.join(ROOT, g), recursive=True)})
    sources, mutants = {}, []
    for f in files:
        sources[f], found = find_mutants(f)
        mutants += found
    sample = random.Random(args.seed).sample(mutants, min(args.count, len(mutants)))
    # Grouped by file, so each file is rebuilt unmutated once rather than after every mutant.
    sample.sort(key=lambda m: (m["file"], m["offset"], m["replacement"]))
    print(f"{len(mutants)} mutants in {len(files)} files; {len(sample)} drawn (seed {args.seed})")
    if args.list:
        for m in sample:
            print(f"{mutant_id(m)} ({m['operator']})")
        return

    tests, plan, timeout = prepare(sources, sample, args)
    os.makedirs(args.out, exist_ok=True)
    start, results, current = time.time(), [], None
    with open(os.path.join(args.out, "mutants.log"), "w") as log:
        try:
            for i, m in enumerate(sample, 1):
                if current != m["file"]:
                    if current:
                        restore(current, plan)
                    current = m["file"]
                    os.makedirs(os.path.dirname(os.path.join(BACKUP, current)), exist_ok=True)
                    shutil.copy2(os.path.join(ROOT, current), os.path.join(BACKUP, current))
                t0 = time.time()
                status, failed = try_mutant(m, sources[current], plan, tests, timeout, args.jobs)
                m.update(id=mutant_id(m), status=status, killed_by=sorted(failed),
                         ran=plan[current]["tests"], seconds=round(time.time() - t0, 1))
                results.append(m)
                line = (f"[{i}/{len(sample)}] {status:11} {m['id']} ({m['operator']}, "
                        f"{len(failed)} tests failed, {m['seconds']} s)")
                print(line, flush=True)
                log.write(line + "\n")
                log.flush()
        finally:
            if current:
                restore(current, plan)
    if current and plan[current]["targets"]:  # leave this build as the sources are
        ninja("-j", str(args.jobs), *plan[current]["targets"])

    summary = summarize(results, args, round(time.time() - start))
    with open(os.path.join(args.out, "summary.json"), "w") as out:
        json.dump(summary, out, indent=1)
    score = summary["score"]
    print(f"score {score if score is None else round(score, 3)} {summary['counts']} "
          f"in {summary['seconds']} s; report in {args.out}")


if __name__ == "__main__":
    try:
        main()
    except KeyboardInterrupt:
        sys.exit("interrupted; the sources are restored")
