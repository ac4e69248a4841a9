#!/usr/bin/env python3
"""Plants single-token faults in the source, one at a time, and tells which
ones the core suite lets through.

The faults are those a programmer makes: a comparison flipped or its bound
moved (< <= > >= == !=), && for || and back, a ! dropped, an integer off by
one, a numeric constant changed in its last digit, a member for its
neighbour (another member of the same object in the file, or front/back,
first/second, ...). The sites are those of the files a change touched
(against the merge base with `main`, uncommitted changes included) or of
the files and folders given; a seed chooses which, so a run can be repeated.

Nothing is ever planted in the working tree: the sources are mirrored into
BUILD/tree (only files whose bytes differ are copied, so that the build
there, BUILD/tree/build, is incremental), each fault is planted in the
mirror and built there (ccache when it is installed), the core suite is run
with a time limit, and the file is put back at once, also when the run is
interrupted. Every run starts by mirroring the working tree again, which
also heals a mirror left behind by a killed run.

Exit status: 0 when every fault built was caught, 1 when some survived,
2 when the run could not be made (a wrong argument, the unmutated suite
failing).
"""

import argparse
import fcntl
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE_SUFFIXES = (".cpp", ".h")


class Interrupted(Exception):
    pass


def give_up(reason):
    print("mutants: " + reason, file=sys.stderr)
    sys.exit(2)


def on_signal(signum, frame):
    raise Interrupted(signal.Signals(signum).name)


# --- reading the source -------------------------------------------------

def code_mask(text):
    """For each character, whether it is code: not in a comment, a string or
    character literal, or a preprocessor line."""
    mask = bytearray(len(text))
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if line_start and c in " \t":
            i += 1
            continue
        if line_start and c == "#":
            while i < n and text[i] != "\n":
                i += 2 if text[i] == "\\" else 1
            continue
        line_start = c == "\n"
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                i += 1
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            i = n if end < 0 else end + 2
            continue
        raw = re.match(r'(?:u8|u|U|L)?R"([^(\s]*)\(', text[i:i + 24])
        if raw and (i == 0 or not (text[i - 1].isalnum() or text[i - 1] == "_")):
            end = text.find(")" + raw.group(1) + '"', i + raw.end())
            i = n if end < 0 else end + len(raw.group(1)) + 2
            continue
        if c == '"' or (c == "'" and not (i > 0 and text[i - 1].isalnum())):
            i += 1
            while i < n and text[i] != c and text[i] != "\n":
                i += 2 if text[i] == "\\" else 1
            i += 1
            continue
        mask[i] = 1
        i += 1
    return mask


def is_code(mask, start, end):
    return all(mask[start:end])


COMPARISONS = {
    "<": ["<=", ">"],
    "<=": ["<", ">="],
    ">": [">=", "<"],
    ">=": [">", "<="],
    "==": ["!="],
    "!=": ["=="],
    "&&": ["||"],
    "||": ["&&"],
}
# Written with a blank on either side, as the code is formatted: template
# brackets, shifts, arrows and references are not.
BINARY = re.compile(r"(?<= )(<=|>=|==|!=|&&|\|\||<|>)(?= )")
NOT = re.compile(r"!(?!=)")
NUMBER = re.compile(r"(?<![\w.])(\d[\d']*(?:\.\d*)?(?:[eE][+-]?\d+)?|\.\d+(?:[eE][+-]?\d+)?)([a-zA-Z]*)(?![\w.'])")
MEMBER = re.compile(r"(\.|->)([A-Za-z_]\w*)\b(\s*\()?")
OBJECT = re.compile(r"([A-Za-z_]\w*|[)\]])$")
PAIRS = [("front", "back"), ("first", "second"), ("begin", "end"), ("from", "to"), ("top", "bottom"),
         ("min", "max"), ("left", "right")]


def changed_constant(token):
    """The literal with its last mantissa digit changed: 0.05 -> 0.06, 9 -> 8."""
    mantissa = re.split(r"[eE]", token)[0]
    digits = [k for k, ch in enumerate(mantissa) if ch.isdigit()]
    k = digits[-1]
    d = int(mantissa[k])
    return token[:k] + str(d + 1 if d < 9 else d - 1) + token[k + 1:]


def sites_of(path, text):
    """Every fault that can be planted in the text: (offset, original, replacement, kind)."""
    mask = code_mask(text)
    found = []
    for m in BINARY.finditer(text):
        if is_code(mask, m.start(), m.end()):
            for r in COMPARISONS[m.group(1)]:
                kind = "logic" if m.group(1) in ("&&", "||") else "comparison"
                found.append((m.start(), m.group(1), r, kind))
    for m in NOT.finditer(text):
        if is_code(mask, m.start(), m.end()) and not text.startswith("operator", max(0, m.start() - 8)):
            found.append((m.start(), "!", "", "negation"))
    for m in NUMBER.finditer(text):
        token, suffix = m.group(1), m.group(2)
        if not is_code(mask, m.start(), m.end()) or suffix.lower() not in ("", "u", "l", "ul", "ull", "ll", "f"):
            continue
        if re.fullmatch(r"[\d']+", token):
            value = int(token.replace("'", ""))
            found.append((m.start(), token, str(value + 1), "plus one"))
            if value > 0:
                found.append((m.start(), token, str(value - 1), "minus one"))
        else:
            found.append((m.start(), token, changed_constant(token), "constant"))
    found += member_sites(text, mask)
    return [(path,) + site for site in found]


def member_sites(text, mask):
    """A member for its neighbour: another member used on the same object
    in the file (the nearest one, called like it is or not), and the pairs
    that are each other's neighbours (front/back, first/second, ...)."""
    uses = {}
    for m in MEMBER.finditer(text):
        owner = OBJECT.search(text, max(0, m.start() - 64), m.start())
        if owner and is_code(mask, m.start(2), m.end(2)) and not text[m.start() - 1].isdigit():
            key = (owner.group(1), m.group(1), bool(m.group(3)))
            uses.setdefault(key, []).append((m.start(2), m.group(2)))
    found = []
    for group in uses.values():
        for at, name in group:
            others = [(abs(a - at), other) for a, other in group if other != name]
            replacements = {min(others)[1]} if others else set()
            replacements |= {b if name == a else a for a, b in PAIRS if name in (a, b)}
            for other in sorted(replacements):
                found.append((at, name, other, "member"))
    return found


# --- the files ----------------------------------------------------------

def git(*args):
    return subprocess.run(["git", *args], cwd=ROOT, check=True, capture_output=True, text=True).stdout


def changed_files():
    base = "HEAD"
    for candidate in ("main", "origin/main"):
        try:
            base = git("merge-base", "HEAD", candidate).strip()
            break
        except subprocess.CalledProcessError:
            continue
    names = set(git("diff", "--name-only", base).split())
    names |= set(git("ls-files", "--others", "--exclude-standard").split())
    return sorted(n for n in names if n.startswith("src/") and os.path.exists(os.path.join(ROOT, n)))


def files_under(paths):
    files = []
    for path in paths:
        relative = os.path.relpath(os.path.abspath(path), ROOT)
        full = os.path.join(ROOT, relative)
        if os.path.isdir(full):
            for folder, _, names in sorted(os.walk(full)):
                files += [os.path.relpath(os.path.join(folder, n), ROOT) for n in sorted(names)]
        elif os.path.isfile(full):
            files.append(relative)
        else:
            give_up("no such file or folder: " + path)
    return files


def mirror(tree):
    """Copies the working tree's files into the mirror where their bytes differ."""
    names = git("ls-files", "--cached", "--others", "--exclude-standard", "-z").split("\0")
    copied = 0
    for name in filter(None, names):
        source, target = os.path.join(ROOT, name), os.path.join(tree, name)
        if not os.path.isfile(source):
            continue
        with open(source, "rb") as f:
            data = f.read()
        if os.path.isfile(target):
            with open(target, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
        shutil.copymode(source, target)
        copied += 1
    return copied


# --- building and testing -----------------------------------------------

def run(command, cwd, timeout=None, log=None):
    """The command's exit status, None when it ran out of time; its group is
    killed on a timeout or an interrupt."""
    with open(log or os.devnull, "wb") as out:
        process = subprocess.Popen(command, cwd=cwd, stdout=out, stderr=subprocess.STDOUT, start_new_session=True)
        try:
            return process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None
        finally:
            if process.poll() is None:
                os.killpg(process.pid, signal.SIGKILL)
                process.wait()


class Build:
    def __init__(self, folder, jobs):
        self.tree = os.path.join(folder, "tree")
        # Beside the sources as the normal build is, so that ccache (with a
        # base_dir) finds what that build compiled.
        self.build = os.path.join(self.tree, "build")
        self.log = os.path.join(folder, "last.log")
        self.jobs = jobs

    def configure(self):
        command = ["nice", "-n", "10", "cmake", "-S", self.tree, "-B", self.build, "-G", "Ninja",
                   "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DORVANE_BUILD_GUI=OFF", "-DORVANE_BUILD_BENCH=OFF"]
        if shutil.which("ccache"):
            command += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"]
        return run(command, ROOT, log=self.log) == 0

    def compiled(self):
        """The sources the build compiles, as paths relative to the tree."""
        with open(os.path.join(self.build, "compile_commands.json")) as f:
            return {os.path.relpath(entry["file"], self.tree) for entry in json.load(f)}

    def make(self):
        command = ["nice", "-n", "10", "cmake", "--build", self.build, "--target", "orvane_core_tests",
                   "-j", str(self.jobs)]
        return run(command, ROOT, log=self.log) == 0

    def test(self, timeout):
        """True when the suite passes, False when it fails, None when out of time."""
        binary = os.path.join(self.build, "tests", "core", "orvane_core_tests")
        status = run(["nice", "-n", "10", binary, "--gtest_fail_fast", "--gtest_brief=1"],
                     os.path.dirname(binary), timeout, self.log)
        return None if status is None else status == 0


def write_whole(path, text):
    """Writes the file with the interrupting signals held back, so that it is
    never left half planted or half restored."""
    held = {signal.SIGINT, signal.SIGTERM, signal.SIGHUP}
    signal.pthread_sigmask(signal.SIG_BLOCK, held)
    try:
        with open(path, "w", encoding="utf-8") as handle:
            handle.write(text)
    finally:
        signal.pthread_sigmask(signal.SIG_UNBLOCK, held)


def location(text, offset):
    line = text.count("\n", 0, offset) + 1
    return line, offset - (text.rfind("\n", 0, offset) + 1) + 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0],
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("paths", nargs="*", help="files or folders (default: the files the change touched)")
    parser.add_argument("--count", type=int, default=40, help="faults that build to plant (default 40)")
    parser.add_argument("--seed", type=int, default=1, help="chooses the sites (default 1)")
    parser.add_argument("--timeout", type=float, help="seconds for one run of the suite (default: 3 x "
                        "the unmutated run + 30)")
    parser.add_argument("--jobs", type=int, default=2, help="build jobs (default 2)")
    parser.add_argument("--build", default=os.path.join(ROOT, "build-mutants"),
                        help="the mirror and its build (default build-mutants)")
    parser.add_argument("--list", action="store_true", help="only list the first faults it would try")
    args = parser.parse_args()

    for name in ("SIGINT", "SIGTERM", "SIGHUP"):
        signal.signal(getattr(signal, name), on_signal)

    files = files_under(args.paths) if args.paths else changed_files()
    files = [f for f in files if f.endswith(SOURCE_SUFFIXES)]
    build = Build(os.path.abspath(args.build), args.jobs)
    os.makedirs(build.tree, exist_ok=True)
    lock = open(os.path.join(os.path.abspath(args.build), "lock"), "w")
    try:
        fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
    except OSError:
        give_up(f"another run is using {args.build}")
    print(f"mirroring the working tree into {build.tree}: {mirror(build.tree)} files copied", flush=True)
    if not args.list:
        if not build.configure():
            give_up(f"configuring the build failed, see {build.log}")
        compiled = build.compiled()
        skipped = [f for f in files if f.endswith(".cpp") and f not in compiled]
        for f in skipped:
            print(f"  {f}: not compiled into the core suite, left out")
        files = [f for f in files if f not in skipped]

    texts = {}
    sites = []
    for f in files:
        with open(os.path.join(build.tree, f), encoding="utf-8") as handle:
            texts[f] = handle.read()
        sites += sites_of(f, texts[f])
    sites.sort()
    # The order the faults are tried in; one that does not build is passed
    # over for the next, until `count` have been built.
    order = list(sites)
    random.Random(args.seed).shuffle(order)
    print(f"{len(sites)} sites in {len(files)} files; planting {min(args.count, len(sites))} that build "
          f"(seed {args.seed})", flush=True)
    if not sites:
        print("nothing to plant: name the files or folders to plant faults in")
        return 0
    if args.list:
        for f, at, old, new, kind in order[:args.count]:
            line, column = location(texts[f], at)
            print(f"  {f}:{line}:{column}: {kind}: {old!r} -> {new!r}")
        return 0

    started = time.monotonic()
    if not build.make():
        give_up(f"the unmutated tree does not build, see {build.log}")
    begun = time.monotonic()
    if not build.test(None):
        give_up(f"the core suite fails without any fault planted, see {build.log}")
    timeout = args.timeout or 3 * (time.monotonic() - begun) + 30
    print(f"unmutated: built and passed in {time.monotonic() - started:.0f} s; "
          f"a run of the suite may take {timeout:.0f} s", flush=True)

    survivors, caught, unbuilt = [], 0, 0
    try:
        for f, at, old, new, kind in order:
            if caught + len(survivors) == args.count:
                break
            target = os.path.join(build.tree, f)
            original = texts[f]
            line, column = location(original, at)
            site = f"{f}:{line}:{column}: {kind}: {old!r} -> {new!r}"
            t0 = time.monotonic()
            try:
                write_whole(target, original[:at] + new + original[at + len(old):])
                if not build.make():
                    verdict = "does not build"
                    unbuilt += 1
                else:
                    passed = build.test(timeout)
                    verdict = "SURVIVED" if passed else "caught" if passed is False else "caught (out of time)"
            finally:
                write_whole(target, original)
            if verdict == "SURVIVED":
                survivors.append(site)
            elif verdict.startswith("caught"):
                caught += 1
            built = caught + len(survivors)
            print(f"[{built}/{args.count}] {verdict:22} {time.monotonic() - t0:5.0f} s  {site}", flush=True)
    except Interrupted as why:
        give_up(f"interrupted ({why}); the mirror is restored")

    built = caught + len(survivors)
    print(f"\n{caught} of {built} faults caught" + (f" ({100 * caught / built:.0f} %)" if built else "")
          + f", {unbuilt} did not build; {time.monotonic() - started:.0f} s in all")
    if survivors:
        print("Survivors:")
        for site in survivors:
            print("  " + site)
    return 1 if survivors else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Interrupted as why:
        give_up(f"interrupted ({why})")
