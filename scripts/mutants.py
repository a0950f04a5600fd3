#!/usr/bin/env python3
"""How many small faults planted in the program do the fast tests notice?

Usage: python3 scripts/mutants.py DIR N SEED    (DIR: the checkout; for example . 80 1)

Copies the checkout (the files git tracks, and new ones it does not ignore) to a scratch folder, so
the working tree is never touched, and builds it once in Debug. Then it draws N mutants with the
seed from every source of the program, its .cpp and .h files and app/main.cpp among them (tests,
benchmarks, fuzz targets and assets left out): a comparison flipped (< and <=, > and >=, == and
!=), && and || swapped, true and false swapped, or an integer constant made one larger, in the
form it is written (0x2003F becomes 0x20040, 15'625'000 becomes 15'625'001, 60L becomes 61L).
Each is built, and the fast tests (everything ctest runs but the e2e label) whose programs it
changed are run: a test whose executable, and the program its script starts, are byte for byte
those of the unchanged build passes as it did there, and a mutant that changes no test's program
compiles to the same code, an equivalent change. So a fault in the rules skips the teardown test's
seconds of waiting. A mutant that no test fails survives, and one that does not build is replaced
by the next. Prints each survivor with its file, line, column and change, then the score. Of the
fast tests, only the command line test runs the program itself, so it alone can notice a mutant in
app/main.cpp.

A survivor is a fault the tests miss, or an equivalent change that nobody could ever see (a twip
that rounds to the same pixel): read each one. No well-kept mutation tool for C++ can be installed
here (Mull is neither packaged for Debian 12 nor on the Python index), hence this script, with the
standard library only. The same seed draws the same mutants from the same sources.
"""
import hashlib
import json
import os
import random
import re
import shutil
import subprocess
import sys
import tempfile

LEFT_OUT = ("tests/", "bench/", "fuzz/", "assets/", "packaging/", "docs/", "scripts/", "build")
SOURCES = (".cpp", ".h")
SWAPS = [("<=", "<"), (">=", ">"), ("==", "!="), ("!=", "=="), ("&&", "||"), ("||", "&&"),
         (" < ", " <= "), (" > ", " >= ")]
STRING = re.compile(r'"(\\.|[^"\\])*"')
CHAR = re.compile(r"'(\\.|[^'\\])'")
# A pure virtual function's "= 0" is no constant; changed, like a static_assert, it only stops the build.
PURE = re.compile(r"\)\s*(?:const\s*)?(?:override\s*)?=\s*0\s*;")
BOOLEAN = re.compile(r"\btrue\b|\bfalse\b")
# Whole literals only: a digit-separated one is one number, and a suffix (u, L, ...) stays on it.
INTEGER = re.compile(r"(?<![\w.'])(?:0[xX](?P<hex>[0-9a-fA-F]+)|(?P<decimal>\d+(?:'\d+)*))(?P<suffix>[uUlLzZ]*)(?![\w.'])")


def checkout_files(root):
    listed = subprocess.run(["git", "-C", root, "ls-files", "-co", "--exclude-standard", "-z"],
                            capture_output=True, text=True, check=True).stdout
    return sorted(f for f in listed.split("\0") if f and os.path.isfile(os.path.join(root, f)))


def code_only(line):
    """The line with its string and character literals and its // comment blanked, columns kept."""
    blank = lambda m: " " * len(m.group(0))
    code = CHAR.sub(blank, STRING.sub(blank, line))
    comment = code.find("//")
    return code if comment < 0 else code[:comment].ljust(len(code))


def is_shift_or_spaceship(code, start, end, old):
    """<< and >> are no comparisons, nor are <=, >= inside <<=, >>= or <=>."""
    if old.strip() in ("<", ">"):
        around = code[start - 1:end + 1]
        return "<<" in around or ">>" in around
    if old in ("<=", ">="):
        return code[start - 1:start] in "<>=" or code[end:end + 1] in "=>"
    return False


def one_larger(m):
    """The literal m one larger, written as it was: hex digits in the same case and at least as many of
    them, a digit-separated number grouped in threes, and its suffix kept."""
    if m.group("hex"):
        digits = m.group("hex")
        hex_digits = "%0*x" % (len(digits), int(digits, 16) + 1)
        larger = m.group(0)[:2] + (hex_digits.lower() if digits.lower() == digits else hex_digits.upper())
    else:
        digits = m.group("decimal")
        value = int(digits.replace("'", "")) + 1
        larger = "{:,}".format(value).replace(",", "'") if "'" in digits else str(value)
    return larger + m.group("suffix")


def mutants(root, sources):
    """Every (file, line index, column, old text, new text) the script can plant, in a fixed order."""
    found = []
    for path in sources:
        asserting = False  # within a static_assert, which may go on over several lines
        for index, line in enumerate(open(os.path.join(root, path)).read().split("\n")):
            if line.lstrip().startswith(("#", "//", "*")):
                continue
            code = code_only(line)
            if asserting or "static_assert" in code:
                asserting = not code.rstrip().endswith(";")
                continue
            code = PURE.sub(lambda m: " " * len(m.group(0)), code)
            for old, new in SWAPS:
                for m in re.finditer(re.escape(old), code):
                    if not is_shift_or_spaceship(code, m.start(), m.end(), old):
                        found.append((path, index, m.start(), old, new))
            for m in BOOLEAN.finditer(code):
                found.append((path, index, m.start(), m.group(0), "false" if m.group(0) == "true" else "true"))
            for m in INTEGER.finditer(code):
                found.append((path, index, m.start(), m.group(0), one_larger(m)))
    return found


def fingerprints(build):
    """Each fast test's name, with the digests of the files of the build that its command names: its
    executable, or the program that its script starts."""
    listed = subprocess.run(["ctest", "--test-dir", build, "-LE", "e2e", "--show-only=json-v1"],
                            capture_output=True, text=True, check=True).stdout
    digest = lambda f: hashlib.sha256(open(f, "rb").read()).hexdigest()
    return {test["name"]: [digest(word) for word in test.get("command", [])
                           if word.startswith(build + os.sep) and os.path.isfile(word)]
            for test in json.loads(listed)["tests"]}


def passes(command, timeout):
    try:
        return subprocess.run(command, capture_output=True, timeout=timeout).returncode == 0
    except subprocess.TimeoutExpired:
        return False


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    root, wanted, seed = os.path.abspath(sys.argv[1]), int(sys.argv[2]), int(sys.argv[3])
    scratch = tempfile.mkdtemp(prefix="vantrel-mutants-")
    try:
        tree, build = os.path.join(scratch, "tree"), os.path.join(scratch, "build")
        files = checkout_files(root)
        for f in files:
            os.makedirs(os.path.dirname(os.path.join(tree, f)), exist_ok=True)
            shutil.copy2(os.path.join(root, f), os.path.join(tree, f))
        jobs = str(os.cpu_count() or 2)
        build_all = ["cmake", "--build", build, "-j", jobs]
        fast_tests = ["ctest", "--test-dir", build, "-LE", "e2e", "-j", jobs, "--timeout", "60"]
        os.environ["QT_QPA_PLATFORM"] = "offscreen"
        if not (passes(["cmake", "-S", tree, "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                        "-DVANTREL_TESTS=ON"], 600) and passes(build_all, 3600)):
            sys.exit("the unchanged program does not build")
        if not passes(fast_tests, 1200):
            sys.exit("the fast tests fail on the unchanged program")

        unchanged = fingerprints(build)
        sources = [f for f in files if f.endswith(SOURCES) and not f.startswith(LEFT_OUT)]
        drawn = mutants(tree, sources)
        random.Random(seed).shuffle(drawn)
        killed, survivors, unbuilt = 0, [], 0
        for path, index, column, old, new in drawn:
            if killed + len(survivors) == wanted:
                break
            full = os.path.join(tree, path)
            text = open(full).read()
            lines = text.split("\n")
            original = lines[index]
            lines[index] = original[:column] + new + original[column + len(old):]
            open(full, "w").write("\n".join(lines))
            try:
                if not passes(build_all, 1800):
                    unbuilt += 1
                    continue
                now = fingerprints(build)
                changed = [name for name in unchanged if now.get(name) != unchanged[name]]
                only = ["-R", "^(%s)$" % "|".join(map(re.escape, changed))]
                noticed = bool(changed) and not passes(fast_tests + only, 900)
            finally:
                open(full, "w").write(text)
            around = original[max(0, column - 40):column + len(old) + 40].strip()
            place = "%s:%d:%d: %s   (%s -> %s)" % (path, index + 1, column + 1, around, old.strip(), new.strip())
            killed += noticed
            if not noticed:
                survivors.append(place)
            print("[%d/%d] %s %s" % (killed + len(survivors), wanted, "killed  " if noticed else "SURVIVED",
                                     place), file=sys.stderr, flush=True)
        for place in survivors:
            print("survived", place)
        total = killed + len(survivors)
        print("(%d of the %d possible mutants drawn did not build and were replaced)" % (unbuilt, len(drawn)))
        print("mutants: %d killed of %d (%.0f%%)" % (killed, total, 100.0 * killed / max(total, 1)))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
