#!/usr/bin/env python3
"""Plants every fault of faults.py, one at a time, into a copy of a source tree and records
which tests catch it.

    tools/faults/run.py RESULTS [--tree PATH] [--scratch DIR] [--only ID,ID... [--keep]]

The tree (default: the repository this script lives in) is never written to: its sources
are copied into the scratch folder (default /tmp/vantrel-faults-<tree name>), configured
there once (Release, Qt 5, tests on) and rebuilt incrementally for each fault. A scratch
folder of an earlier run is brought up to date and reused.
"""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from faults import FAULTS  # noqa: E402

SKIPPED_DIRS = {".git", "build"}
CTEST_EXCLUDE = "^(smoke|package)$"
BUILD_LIMIT = 900  # seconds for one incremental build
TEST_LIMIT = 900  # seconds for one whole ctest run


def log(text):
    print(text, flush=True)


def skipped(name):
    return name in SKIPPED_DIRS or name.startswith("build-")


def source_files(tree):
    for root, dirs, files in os.walk(tree):
        dirs[:] = [d for d in dirs if not (root == tree and skipped(d))]
        for name in files:
            path = os.path.join(root, name)
            yield os.path.relpath(path, tree)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def sync_tree(tree, copy):
    """Makes `copy` hold the tree's files; unchanged files keep their times, so that a
    rebuild compiles only what differs (a file left planted by a killed run included). A
    copied file gets a fresh time: the tree's own may be older than a stale object here."""
    wanted = set(source_files(tree))
    for rel in wanted:
        src, dst = os.path.join(tree, rel), os.path.join(copy, rel)
        if os.path.exists(dst) and read(dst) == read(src):
            continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        shutil.copy(src, dst)
    if os.path.isdir(copy):
        for rel in list(source_files(copy)):
            if rel not in wanted:
                os.remove(os.path.join(copy, rel))


def run(command, cwd, limit):
    """(exit code or None on timeout, output); the whole process group ends on timeout."""
    process = subprocess.Popen(command, cwd=cwd, stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, start_new_session=True)
    try:
        output, _ = process.communicate(timeout=limit)
        return process.returncode, output.decode(errors="replace")
    except subprocess.TimeoutExpired:
        os.killpg(process.pid, signal.SIGKILL)
        output, _ = process.communicate()
        return None, output.decode(errors="replace")


def build(build_dir):
    code, output = run(["cmake", "--build", build_dir, "-j2"], build_dir, BUILD_LIMIT)
    return code == 0, output


def failing_tests(build_dir):
    """The names of the tests that fail, or None when ctest itself could not run."""
    code, output = run(["ctest", "-j2", "-E", CTEST_EXCLUDE, "--timeout", "120"], build_dir,
                       TEST_LIMIT)
    if code is None:
        return {"(ctest timed out)"}
    if "tests passed" not in output and "tests failed" not in output:
        return None
    failed = set()
    in_list = False
    for line in output.splitlines():
        if line.startswith("The following tests FAILED"):
            in_list = True
            continue
        match = re.match(r"\s*\d+\s*-\s*(\S+)\s*\(", line)
        if in_list and match:
            failed.add(match.group(1))
    return failed


def write_results(path, rows, summary, tree, baseline):
    width = max([len(r[0]) for r in rows] + [2])
    lines = ["# Planted faults against the tests of %s" % tree,
             "# " + summary,
             "# Tests failing without any fault (ignored): %s" % (", ".join(sorted(baseline))
                                                                 or "none"),
             "%-*s  %-13s  %s" % (width, "id", "area", "result")]
    for fault_id, area, result in rows:
        lines.append("%-*s  %-13s  %s" % (width, fault_id, area, result))
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


def earlier_rows(path):
    """The rows of a results table that write_results wrote, by fault id."""
    rows = {}
    if os.path.exists(path):
        for line in open(path):
            match = re.match(r"(\S+)  +(.{13})  (.*)$", line.rstrip("\n"))
            if match and not line.startswith(("#", "id ")):
                rows[match.group(1)] = (match.group(1), match.group(2).strip(), match.group(3))
    return rows


def summary_of(rows):
    planted = len(rows)
    built = sum(1 for r in rows if not r[2].startswith(("DOES NOT BUILD", "NOT APPLIED")))
    caught = sum(1 for r in rows if r[2].startswith("caught"))
    return "planted %d, built %d, caught %d" % (planted, built, caught)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("results", help="file to write the results table to")
    parser.add_argument("--tree", default=os.path.dirname(os.path.dirname(HERE)),
                        help="source tree whose tests are judged (default: this repository)")
    parser.add_argument("--scratch", help="work folder (default /tmp/vantrel-faults-<name>)")
    parser.add_argument("--only", help="comma-separated fault ids to run")
    parser.add_argument("--keep", action="store_true",
                        help="with --only: keep the other faults' rows of an existing RESULTS")
    args = parser.parse_args()

    tree = os.path.abspath(args.tree)
    scratch = args.scratch or "/tmp/vantrel-faults-%s" % os.path.basename(tree.rstrip("/"))
    results = os.path.abspath(args.results)
    copy, build_dir = os.path.join(scratch, "src"), os.path.join(scratch, "build")
    faults = FAULTS
    if args.only:
        wanted = args.only.split(",")
        unknown = set(wanted) - {f["id"] for f in FAULTS}
        if unknown:
            sys.exit("unknown fault ids: %s" % ", ".join(sorted(unknown)))
        faults = [f for f in FAULTS if f["id"] in wanted]

    log("copying %s to %s" % (tree, copy))
    sync_tree(tree, copy)
    if not os.path.exists(os.path.join(build_dir, "CMakeCache.txt")):
        code, output = run(["cmake", "-S", copy, "-B", build_dir, "-DCMAKE_BUILD_TYPE=Release",
                            "-DVANTREL_QT=5", "-DVANTREL_BUILD_TESTS=ON"], scratch, 600)
        if code != 0:
            sys.exit("configuring failed:\n" + output)
    log("building the unplanted tree")
    ok, output = build(build_dir)
    if not ok:
        sys.exit("the unplanted tree does not build:\n" + output[-4000:])
    baseline = failing_tests(build_dir)
    if baseline is None:
        sys.exit("ctest did not run on the unplanted tree")
    log("tests failing without a fault: %s" % (", ".join(sorted(baseline)) or "none"))

    kept = earlier_rows(results) if args.keep else {}
    rows = []
    for number, fault in enumerate(faults, 1):
        started = time.time()
        target = os.path.join(copy, fault["file"])
        original = read(os.path.join(tree, fault["file"]))
        text = original.decode()
        count = text.count(fault["find"])
        if count != 1:
            result = "NOT APPLIED (snippet found %d times)" % count
        else:
            try:
                with open(target, "w") as f:
                    f.write(text.replace(fault["find"], fault["replace"]))
                ok, output = build(build_dir)
                if not ok:
                    errors = [l for l in output.splitlines() if "error" in l][:1]
                    result = "DOES NOT BUILD" + (": " + errors[0].strip() if errors else "")
                else:
                    failed = failing_tests(build_dir)
                    if failed is None:
                        result = "DOES NOT BUILD: ctest did not run"
                    else:
                        caught = sorted(failed - baseline)
                        result = "caught by " + ", ".join(caught) if caught else "MISSED"
            finally:
                with open(target, "wb") as f:
                    f.write(original)
        rows.append((fault["id"], fault["area"], result))
        write_results(results, rows, summary_of(rows), tree, baseline)
        log("[%d/%d] %s (%s): %s  [%.0f s]" % (number, len(faults), fault["id"], fault["area"],
                                              result, time.time() - started))

    # Leave the scratch build matching the tree again.
    build(build_dir)
    if kept:
        ran = {r[0]: r for r in rows}
        rows = [ran.get(f["id"]) or kept.get(f["id"]) for f in FAULTS]
        rows = [r for r in rows if r]
    summary = summary_of(rows)
    write_results(results, rows, summary, tree, baseline)
    log(summary)


if __name__ == "__main__":
    main()
