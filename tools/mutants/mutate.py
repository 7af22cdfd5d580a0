#!/usr/bin/env python3
"""Mutation runs: which realistic one-line faults does the test suite catch?

Each fault is a small edit that a developer could plausibly make by mistake. The harness puts one
fault at a time into a checkout, rebuilds what the fault touches, runs the suites that could notice
it, puts the file back, and reports whether the suites noticed:

    CAUGHT   a suite failed with the fault in place
    MISSED   every suite passed: the fault would reach users unnoticed
    BROKEN   the fault did not compile; it is an invalid mutant and says nothing about the tests

Usage
-----
    python3 tools/mutants/mutate.py --tree ../checkout --faults tools/mutants/faults-after.txt \
        --out tools/mutants/results.md
    python3 tools/mutants/mutate.py --tree DIR --faults FILE --only bookmark-shift,width-clamp

Options: --tree DIR (the checkout to mutate; default: the current folder), --faults FILE,
--only ID,ID (run just these), --out FILE (also write the markdown report there), --jobs N (build
parallelism, default 2), --logs DIR (default /tmp/mutants-logs), --no-rebuild-after (leave the
build trees as the last fault built them), --check (only check the fault file against the tree),
--suites native,wine (run only these suites, and only the faults they can catch), --every (run
every suite a fault needs, whole, and list every test that fails: which tests catch what, so a
test can be cut only when each fault it catches is caught by another), --skip-tests REGEX (leave
these tests out: would the rest catch the faults they catch?), --no-baseline (skip the run of the
unmutated suites, when they are known to pass).

The harness need not live in the tree it mutates: it uses only that tree's sources, its
scripts/build.sh and scripts/wine-env.sh, its build trees and git. Relative --faults and --out
paths are taken from the current folder. Everything it starts runs under nice 10: the machine is
shared.

Fault file
----------
Blocks separated by blank lines; lines starting with '#' are comments. Every value is the text
after "key: ", taken verbatim (no escapes, so C++ text such as '\\0' is written as it is):

    id: bookmark-shift
    file: src/editor/Bookmarks.cpp
    find: if (b >= caretLine) b += delta;
    replace: if (b > caretLine) b += delta;
    level: native
    why: a bookmark on the line where Enter splits no longer moves down with its text

`find` must occur exactly once in `file` (it may be part of a line); `replace` may be empty. All
faults are checked before anything is built, and each mutated file must be unmodified in git.

Levels: which suites can catch the fault, and so which build trees it needs.

    native  the native unit tests (ctest in build/native)
    wine    the Win32 tests under Wine (ctest -L wine in build/win64); for a file of the
            portable core (not under a win32/ folder) the native tests run first, as they are cheap
    e2e     as wine, then the end-to-end tests: every tests/e2e/*.sh script, each in a Wine
            session of its own

Suites run in that order and stop at the first one that fails; a build tree is brought up to date
only when a suite that needs it is reached. Faults run grouped by level so one
Xvfb display and one persistent wineserver serve all Win32 runs; the wineserver is stopped before
the end-to-end scripts, which start their own.

A failure counts only if the failing tests fail again when run by themselves (with the fault
still in place); a suite that fails without naming a test (its program could not even list its
tests) runs again whole and counts only if it fails again. One that does not repeat is noted as
flaky and the suite runs once more; so a fault is never counted as caught by a flaky test.

Before any fault, the unmutated suites run once, with the same rule: a failure that does not
repeat is reported as a flaky baseline and the run goes on; one that repeats stops the run, since
no result could be trusted.

Restoring: the original bytes are written back in a finally block (also on Ctrl+C, SIGTERM or an
exception) and `git diff --quiet -- FILE` must confirm it, or the run stops at once. At the end the
build trees are rebuilt from the restored sources, so the checkout's binaries match its code.

Logs: one file per fault, LOGS/<id>.log (the edit, the build, every suite's output), and
LOGS/baseline-<suite>.log.
"""

from __future__ import annotations

import argparse
import dataclasses
import datetime
import os
import re
import select
import signal
import subprocess
import sys
import time
from pathlib import Path

LEVELS = ("native", "wine", "e2e")
FIELDS = ("id", "file", "find", "replace", "level", "why")
BUILD_OF_SUITE = {"native": "native", "wine": "win64", "e2e": "win64"}
SUITE_LIMIT = 1800  # seconds for one whole suite
BUILD_LIMIT = 3600
SCRIPT_LIMIT = 300  # seconds for one end-to-end script, as the project's own test run allows


class HarnessError(Exception):
    pass


@dataclasses.dataclass
class Fault:
    id: str
    file: str
    find: str
    replace: str
    level: str
    why: str
    where: str  # fault-file line, for messages

    def is_core(self) -> bool:
        # The portable core is compiled into the native build as well as the Win32 one.
        return "/win32/" not in "/" + self.file

    def suites(self) -> list[str]:
        if self.level == "native":
            return ["native"]
        suites = ["native"] if self.is_core() else []
        suites.append("wine")
        if self.level == "e2e":
            suites.append("e2e")
        return suites


@dataclasses.dataclass
class Outcome:
    result: str  # CAUGHT, MISSED, BROKEN, ERROR
    detail: str = ""
    seconds: float = 0.0
    source_line: int = 0
    flaky: list[str] = dataclasses.field(default_factory=list)


# ---------------------------------------------------------------- fault file


def parse_faults(path: Path) -> list[Fault]:
    faults: list[Fault] = []
    current: dict[str, str] = {}
    start = 0

    def finish() -> None:
        nonlocal current
        if not current:
            return
        missing = [f for f in FIELDS if f not in current]
        if missing:
            raise HarnessError(f"{path}:{start}: fault block lacks {', '.join(missing)}")
        faults.append(Fault(where=f"{path}:{start}", **current))
        current = {}

    for number, raw in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        line = raw.rstrip("\r")
        if not line.strip():
            finish()
            continue
        if line.startswith("#"):
            continue
        m = re.match(r"^(\w+):(.*)$", line)
        if not m or m.group(1) not in FIELDS:
            raise HarnessError(f"{path}:{number}: expected one of {', '.join(FIELDS)} followed by ':'")
        key, value = m.group(1), m.group(2)
        if value.startswith(" "):
            value = value[1:]  # the one space after the colon separates; the rest is the value
        if key in current:
            raise HarnessError(f"{path}:{number}: '{key}' given twice in one fault")
        if not current:
            start = number
        current[key] = value
    finish()
    return faults


def check_faults(tree: Path, faults: list[Fault]) -> list[str]:
    problems: list[str] = []
    seen: set[str] = set()
    for f in faults:
        if not re.fullmatch(r"[A-Za-z0-9][A-Za-z0-9._-]*", f.id):
            problems.append(f"{f.where}: id '{f.id}' must be a short name (letters, digits, . _ -)")
        if f.id in seen:
            problems.append(f"{f.where}: id '{f.id}' used twice")
        seen.add(f.id)
        if f.level not in LEVELS:
            problems.append(f"{f.where}: {f.id}: level '{f.level}' is not one of {', '.join(LEVELS)}")
        if f.level == "native" and not f.is_core():
            problems.append(f"{f.where}: {f.id}: {f.file} is Win32 code, which the native build does not compile")
        if not f.find:
            problems.append(f"{f.where}: {f.id}: empty find")
            continue
        if f.find == f.replace:
            problems.append(f"{f.where}: {f.id}: replace equals find")
        path = tree / f.file
        if not path.is_file():
            problems.append(f"{f.where}: {f.id}: no file {path}")
            continue
        count = read_source(path).count(f.find)
        if count != 1:
            problems.append(f"{f.where}: {f.id}: find occurs {count} times in {f.file}, not once")
    return problems


def read_source(path: Path) -> str:
    return path.read_bytes().decode("utf-8", errors="surrogateescape")


# ---------------------------------------------------------------- processes


class Runner:
    """Runs commands in the tree, each in a process group of its own so that a timeout or an
    interruption ends exactly what this harness started."""

    def __init__(self, tree: Path):
        self.tree = tree

    def run(self, cmd: list[str], log: Path, env: dict[str, str] | None = None, limit: int = SUITE_LIMIT) -> int:
        with open(log, "a", encoding="utf-8", errors="replace") as out:
            out.write(f"\n$ {' '.join(cmd)}\n")
            out.flush()
            proc = subprocess.Popen(cmd, cwd=self.tree, stdin=subprocess.DEVNULL, stdout=out,
                                    stderr=subprocess.STDOUT, env=env, start_new_session=True)
            try:
                return proc.wait(timeout=limit)
            except subprocess.TimeoutExpired:
                out.write(f"\n[mutate] timed out after {limit} s\n")
                end_group(proc)
                return 124
            except BaseException:
                end_group(proc)
                raise


def end_group(proc: subprocess.Popen) -> None:
    try:
        os.killpg(proc.pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    try:
        proc.wait(timeout=10)
    except subprocess.TimeoutExpired:
        try:
            os.killpg(proc.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        proc.wait()


class Wine:
    """One Xvfb display and one persistent wineserver for the Win32 suites, as scripts/test.sh
    sets them up (the variables and helper steps come from the tree's own scripts/wine-env.sh)."""

    def __init__(self, tree: Path, runner: Runner, log_dir: Path):
        self.tree = tree
        self.runner = runner
        self.log = log_dir / "wine-session.log"
        self.env: dict[str, str] | None = None
        self.xvfb: subprocess.Popen | None = None
        self.server_up = False

    def _base_env(self) -> dict[str, str]:
        if self.env is None:
            out = subprocess.run(["bash", "-c", "source scripts/wine-env.sh >/dev/null && env -0"], cwd=self.tree,
                                 stdin=subprocess.DEVNULL, capture_output=True, check=True).stdout
            env = dict(item.split("=", 1) for item in out.decode(errors="replace").split("\0") if "=" in item)
            env.pop("DISPLAY", None)
            self.env = env
        return dict(self.env)

    def _helpers(self, steps: str, env: dict[str, str]) -> None:
        rc = self.runner.run(["bash", "-c", f"source scripts/wine-env.sh && {steps}"], self.log, env=env, limit=600)
        if rc != 0:
            raise HarnessError(f"wine set-up step '{steps}' failed (see {self.log})")

    def display_env(self) -> dict[str, str]:
        """The environment for the Win32 tests, with the display and the server started."""
        env = self._base_env()
        if self.xvfb is None:
            self._helpers("tess_prefix_setup", env)
            self._start_xvfb()
        env["DISPLAY"] = self.display
        if not self.server_up:
            # A server that another session left lingering (the end-to-end scripts run their own)
            # would make the persistent one exit at once; the tests would then get a server that
            # quits during the next build and a fresh one, with a full Wine start, for every test.
            self._helpers('"$WINESERVER" -k 2>/dev/null; timeout 60 "$WINESERVER" -w; '
                          "tess_start_wineserver && tess_set_managed N", env)
            self.server_up = True
        return env

    def _start_xvfb(self) -> None:
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 30
        try:
            while not number.endswith(b"\n") and time.monotonic() < deadline:
                ready, _, _ = select.select([read_end], [], [], 1)
                if ready:
                    chunk = os.read(read_end, 16)
                    if not chunk:
                        break
                    number += chunk
        finally:
            os.close(read_end)
        if not number.strip():
            raise HarnessError("Xvfb did not start")
        self.display = ":" + number.decode().strip()

    def stop_server(self) -> None:
        """Before the end-to-end scripts: they run the program in a Wine session of their own."""
        if self.server_up:
            self._helpers('tess_stop_wineserver; timeout 60 "$WINESERVER" -w', self._base_env())
            self.server_up = False

    def close(self) -> None:
        try:
            self.stop_server()
        finally:
            if self.xvfb is not None:
                end_group(self.xvfb)
                self.xvfb = None


# ---------------------------------------------------------------- suites


def failed_tests(log: Path, since: int) -> list[str]:
    """The names in ctest's "The following tests FAILED" list of the output after `since`."""
    text = log.read_text(encoding="utf-8", errors="replace")[since:]
    names = re.findall(r"^\s*\d+ - (.+?) \([^()]*\)\s*$", text, flags=re.M)
    return list(dict.fromkeys(names))


def ctest_regex(names: list[str]) -> str:
    """A ctest -R pattern for exactly these tests. A parameterised test's name carries a comment
    ("  # GetParam() = ..."); the part before it is what identifies the test."""
    def escape(text: str) -> str:
        return re.sub(r"([\^$.\[\]*+?()\\|])", r"\\\1", text)
    return "^(" + "|".join(escape(n.split("  #")[0].strip()) for n in names) + ")( |$)"


class Suites:
    """The suites of one tree. Under load a Wine test can fail for reasons of its own (a window
    that could not be created), so a failure counts only once the failing tests fail again when
    run by themselves; a failure that does not repeat is noted as flaky and the suite is run once
    more."""

    CTEST = {
        "native": ["--test-dir", "build/native", "--timeout", "60"],
        "wine": ["--test-dir", "build/win64", "-L", "wine", "--timeout", "60"],
    }

    def __init__(self, tree: Path, runner: Runner, wine: Wine, jobs: int, every: bool = False, skip: str = ""):
        self.tree, self.runner, self.wine, self.jobs, self.every, self.skip = tree, runner, wine, jobs, every, skip

    def build(self, which: str, log: Path) -> bool:
        cmd = ["cmake", "--build", str(self.tree / "build" / which), "-j", str(self.jobs)]
        return self.runner.run(cmd, log, limit=BUILD_LIMIT) == 0

    def run(self, suite: str, log: Path) -> tuple[bool, list[str], list[str]]:
        """Runs one suite: whether it passed, what failed (confirmed), and flaky failures seen."""
        flaky: list[str] = []
        for _ in range(2):
            failed = self._run_once(suite, log)
            if not failed:
                return True, [], flaky
            if self._fails_again(suite, failed, log):
                return False, failed, flaky
            flaky.append(f"{suite}: {', '.join(failed)} failed once and passed when run again")
            with open(log, "a", encoding="utf-8") as out:
                out.write(f"\n[mutate] flaky: {flaky[-1]}; running the {suite} suite again\n")
        return True, [], flaky

    def _env(self, suite: str) -> dict[str, str] | None:
        if suite == "wine":
            return self.wine.display_env()
        if suite == "e2e":
            # Each end-to-end test runs the program in a Wine session and on a display of its own.
            self.wine.stop_server()
            env = dict(os.environ)
            env.pop("DISPLAY", None)
            return env
        return None

    def _ctest(self, suite: str, log: Path, names: list[str] | None = None) -> list[str]:
        """Runs ctest for the suite (or just the named tests); returns what failed."""
        since = log.stat().st_size if log.exists() else 0
        cmd = ["ctest", *self.CTEST[suite], "--output-on-failure"]
        if suite == "native":
            cmd += ["-j", str(self.jobs)]
        if names:
            cmd += ["-R", ctest_regex(names)]
        else:
            cmd += ["-E", self.skip] if self.skip else []
            cmd += [] if self.every else ["--stop-on-failure"]
        rc = self.runner.run(cmd, log, env=self._env(suite))
        if rc == 0:
            return []
        return failed_tests(log, since) or [f"ctest exit {rc}"]

    def _scripts(self) -> list[Path]:
        return sorted((self.tree / "tests" / "e2e").glob("*.sh"))

    def _script(self, script: Path, log: Path) -> bool:
        return self.runner.run(["bash", str(script.relative_to(self.tree))], log, env=self._env("e2e"),
                               limit=SCRIPT_LIMIT) == 0

    def _run_once(self, suite: str, log: Path) -> list[str]:
        if suite in ("native", "wine"):
            return self._ctest(suite, log)
        if suite != "e2e":
            raise HarnessError(f"unknown suite {suite}")
        for script in self._scripts():
            if not self._script(script, log):
                return [str(script.relative_to(self.tree))]
        return []

    def _fails_again(self, suite: str, failed: list[str], log: Path) -> bool:
        if any(name.startswith("ctest exit") for name in failed):
            # ctest failed without naming a test: under Wine the test program can fail to start even
            # to list its tests. There is nothing to rerun by name, so the whole suite runs again;
            # what fails then must fail again in the same way.
            with open(log, "a", encoding="utf-8") as out:
                out.write(f"\n[mutate] {', '.join(failed)} without a failed test: running the {suite} suite again\n")
            again = self._run_once(suite, log)
            if not again:
                return False
            if any(name.startswith("ctest exit") for name in again):
                return True
            return self._fails_again(suite, again, log)
        scripts = [self.tree / name for name in failed if name.startswith("tests/e2e/")]
        tests = [name for name in failed if not name.startswith("tests/e2e/")]
        with open(log, "a", encoding="utf-8") as out:
            out.write(f"\n[mutate] running again what failed: {', '.join(failed)}\n")
        if tests and self._ctest(suite, log, tests):
            return True
        return any(not self._script(script, log) for script in scripts)


# ---------------------------------------------------------------- the run


def git(tree: Path, *args: str) -> subprocess.CompletedProcess:
    return subprocess.run(["git", "-C", str(tree), *args], capture_output=True, text=True)


def file_is_clean(tree: Path, rel: str) -> bool:
    return git(tree, "diff", "--quiet", "--", rel).returncode == 0 and \
        git(tree, "diff", "--cached", "--quiet", "--", rel).returncode == 0


def run_fault(fault: Fault, tree: Path, suites: Suites, log: Path, only_suites: list[str] | None = None) -> Outcome:
    path = tree / fault.file
    original = path.read_bytes()
    text = original.decode("utf-8", errors="surrogateescape")
    at = text.index(fault.find)
    line = text.count("\n", 0, at) + 1
    mutated = text.replace(fault.find, fault.replace, 1).encode("utf-8", errors="surrogateescape")
    log.write_text(f"[mutate] {fault.id}: {fault.file}:{line} ({fault.level})\n- {fault.find}\n+ {fault.replace}\n",
                   encoding="utf-8")
    started = time.monotonic()
    try:
        path.write_bytes(mutated)
        built: set[str] = set()
        notes: list[str] = []
        caught: list[str] = []
        run = [suite for suite in fault.suites() if not only_suites or suite in only_suites]
        for suite in run:
            # A build tree is brought up to date only when a suite that needs it is reached: a fault
            # the native tests catch never costs a cross build.
            which = BUILD_OF_SUITE[suite]
            if which not in built:
                if not suites.build(which, log):
                    return Outcome("BROKEN", f"{which} build failed", time.monotonic() - started, line, notes)
                built.add(which)
            passed, failed, flaky = suites.run(suite, log)
            notes += flaky
            if passed:
                continue
            shown = [name.split("  #")[0] for name in failed]
            if not suites.every:  # the first suite that fails decides; its first few tests say where
                shown = shown[:4] + (["..."] if len(shown) > 4 else [])
            caught.append(f"{suite}: {', '.join(shown)}")
            if not suites.every:
                break
        if caught:
            return Outcome("CAUGHT", "; ".join(caught), time.monotonic() - started, line, notes)
        return Outcome("MISSED", "passed: " + ", ".join(run), time.monotonic() - started, line, notes)
    finally:
        path.write_bytes(original)
        if not file_is_clean(tree, fault.file):
            raise HarnessError(f"{fault.file} differs from git after restoring it: look at it before anything else")


def baseline(suites_needed: list[str], suites: Suites, log_dir: Path) -> list[str]:
    notes: list[str] = []
    for suite in suites_needed:
        log = log_dir / f"baseline-{suite}.log"
        log.write_text(f"[mutate] baseline {suite}\n", encoding="utf-8")
        passed, failed, flaky = suites.run(suite, log)
        notes += [f"flaky baseline: {note}" for note in flaky]
        say(f"baseline {suite}: {'passed' if passed else 'FAILED ' + ', '.join(failed)}"
            + (f" (flaky: {'; '.join(flaky)})" if flaky else ""))
        if not passed:
            raise HarnessError(f"the unmutated {suite} suite fails, and again when run by itself "
                               f"({', '.join(failed)}); see {log}")
    return notes


def say(message: str) -> None:
    print(f"[mutate {time.strftime('%H:%M:%S')}] {message}", file=sys.stderr, flush=True)


def cell(text: str) -> str:
    return text.replace("|", "\\|").replace("`", "'")


def report(tree: Path, faults_file: Path, faults: list[Fault], outcomes: dict[str, Outcome], notes: list[str],
           seconds: float, commit: str) -> str:
    counts = {r: sum(1 for o in outcomes.values() if o.result == r) for r in ("CAUGHT", "MISSED", "BROKEN", "ERROR")}
    lines = [
        f"# Mutation run: {faults_file.name}",
        "",
        f"- date: {datetime.datetime.now().astimezone().strftime('%Y-%m-%d %H:%M %Z')}",
        f"- tree: {tree} at commit {commit}",
        f"- faults: {len(faults)} from {faults_file.name}; took {seconds / 60:.1f} min",
        f"- result: **{counts['CAUGHT']} caught / {counts['MISSED']} missed**"
        + (f" / {counts['BROKEN']} broken" if counts["BROKEN"] else "")
        + (f" / {counts['ERROR']} not run" if counts["ERROR"] else ""),
        "- baseline: " + ("; ".join(notes) if notes else "the unmutated suites passed at the first run"),
        f"- flaky failures during the fault runs (not counted as catches): "
        f"{sum(len(o.flaky) for o in outcomes.values()) or 'none'}",
        "",
        "| id | file | level | result | why |",
        "| --- | --- | --- | --- | --- |",
    ]
    for f in faults:
        o = outcomes.get(f.id, Outcome("ERROR", "not run"))
        where = f"{f.file}:{o.source_line}" if o.source_line else f.file
        lines.append(f"| {cell(f.id)} | {cell(where)} | {f.level} | {o.result} | {cell(f.why)} |")
    lines += ["", "Details (what failed, or which suites passed; seconds for build and tests):", ""]
    for f in faults:
        o = outcomes.get(f.id, Outcome("ERROR", "not run"))
        flaky = f"; flaky on the way: {'; '.join(o.flaky)}" if o.flaky else ""
        lines.append(f"- `{f.id}` {o.result}: {o.detail} ({o.seconds:.0f} s){flaky}")
    return "\n".join(lines) + "\n"


def main() -> int:
    parser = argparse.ArgumentParser(description="Puts one fault at a time into a checkout and runs its tests.")
    parser.add_argument("--tree", default=".", help="the checkout to mutate (default: the current folder)")
    parser.add_argument("--faults", required=True, help="the fault file (tools/mutants/faults-*.txt)")
    parser.add_argument("--only", default="", help="comma-separated fault ids")
    parser.add_argument("--out", help="also write the markdown report to this file")
    parser.add_argument("--jobs", type=int, default=2, help="build and native test parallelism")
    parser.add_argument("--logs", default="/tmp/mutants-logs")
    parser.add_argument("--no-rebuild-after", action="store_true")
    parser.add_argument("--check", action="store_true", help="only check the fault file against the tree")
    parser.add_argument("--every", action="store_true",
                        help="run every suite whole and list every test that fails: what a cut would cost")
    parser.add_argument("--no-baseline", action="store_true", help="the unmutated suites are known to pass")
    parser.add_argument("--skip-tests", default="", help="a ctest regex of tests left out: do the others catch it?")
    parser.add_argument("--suites", default="", help="comma-separated suites to run (default: all a fault needs)")
    args = parser.parse_args()

    # Children inherit the priority: builds, tests, Wine and Xvfb all run under nice 10.
    current = os.nice(0)
    if current < 10:
        os.nice(10 - current)

    def on_signal(signum, _frame):
        raise KeyboardInterrupt(f"signal {signum}")

    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGHUP, on_signal)

    tree = Path(args.tree).resolve()
    faults_file = Path(args.faults).resolve()
    log_dir = Path(args.logs)
    try:
        if git(tree, "rev-parse", "--git-dir").returncode != 0:
            raise HarnessError(f"{tree} is not a git checkout")
        faults = parse_faults(faults_file)
        if args.only:
            wanted = [i.strip() for i in args.only.split(",") if i.strip()]
            unknown = sorted(set(wanted) - {f.id for f in faults})
            if unknown:
                raise HarnessError(f"no such fault: {', '.join(unknown)}")
            faults = [f for f in faults if f.id in wanted]
        problems = check_faults(tree, faults)
        dirty = sorted({f.file for f in faults if (tree / f.file).is_file() and not file_is_clean(tree, f.file)})
        problems += [f"{rel} has uncommitted changes in {tree}: a fault is only put into clean files" for rel in dirty]
        if problems:
            raise HarnessError("the fault file does not fit the tree:\n  " + "\n  ".join(problems))
        say(f"{len(faults)} faults checked against {tree}")
        if args.check:
            return 0

        commit = git(tree, "rev-parse", "HEAD").stdout.strip()
        log_dir.mkdir(parents=True, exist_ok=True)
        runner = Runner(tree)
        wine = Wine(tree, runner, log_dir)
        suites = Suites(tree, runner, wine, args.jobs, args.every, args.skip_tests)
        only_suites = [s.strip() for s in args.suites.split(",") if s.strip()]
        if only_suites:
            faults = [f for f in faults if set(f.suites()) & set(only_suites)]
        needed_suites = [s for s in ("native", "wine", "e2e")
                         if any(s in f.suites() for f in faults) and (not only_suites or s in only_suites)]
        builds = list(dict.fromkeys(BUILD_OF_SUITE[s] for s in needed_suites))
        started = time.monotonic()
        outcomes: dict[str, Outcome] = {}
        notes: list[str] = []
        try:
            for which in builds:
                say(f"configuring and building {which}")
                if runner.run(["bash", "scripts/build.sh", which], log_dir / f"build-{which}.log",
                              limit=BUILD_LIMIT) != 0:
                    raise HarnessError(f"the unmutated {which} build fails; see {log_dir / f'build-{which}.log'}")
            notes = [] if args.no_baseline else baseline(needed_suites, suites, log_dir)
            # Grouped by level, so the wineserver is stopped and started as rarely as possible.
            for fault in sorted(faults, key=lambda f: LEVELS.index(f.level)):
                say(f"{fault.id} ({fault.level}) ...")
                outcomes[fault.id] = run_fault(fault, tree, suites, log_dir / f"{fault.id}.log", only_suites)
                o = outcomes[fault.id]
                say(f"{fault.id}: {o.result} {o.detail} ({o.seconds:.0f} s)"
                    + (f" flaky: {'; '.join(o.flaky)}" if o.flaky else ""))
        finally:
            wine.close()
        if not args.no_rebuild_after and outcomes:
            say("rebuilding from the restored sources")
            for which in builds:
                suites.build(which, log_dir / f"build-{which}.log")
        text = report(tree, faults_file, faults, outcomes, notes, time.monotonic() - started, commit)
        print(text)
        if args.out:
            Path(args.out).write_text(text, encoding="utf-8")
        return 0
    except HarnessError as e:
        say(f"error: {e}")
        return 2
    except KeyboardInterrupt:
        say("interrupted; every mutated file was restored")
        return 130


if __name__ == "__main__":
    sys.exit(main())
