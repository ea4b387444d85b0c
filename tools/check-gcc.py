#!/usr/bin/env python3
"""Checks that g++ compiles the program as the users' build compiles it, and the tests as the
developers' build does, its warnings failing as errors.

The test build compiles with clang, whose sanitized builds take half the time; the program that
scripts/run.sh builds compiles with g++, optimised. Each compilation in the build's
compile_commands.json (the unity batches of the program and of the tests, the files compiled apart
and the moc files; not the precompiled headers) is compiled here by g++ to an object, which is
thrown away, on the build's flags without the sanitizers and the debug information: the program's
optimised as the Release build is, the tests' unoptimised (PROGRAM_FLAGS, TEST_FLAGS). So the
warnings of g++'s middle end (a use after free, a dangling pointer, an overflow of a buffer) fail
the run as they would fail a g++ build with -Werror. g++ precompiles each precompiled header of
the build once here, from its text, for each set of flags that reads it.

First, probes with faults that clang accepts and g++ must refuse are compiled on the flags of a
program compilation and of a test compilation: a probe that compiles means the check no longer does
its work. Prints each compilation that fails with its diagnostics; exits non-zero when one does.

    tools/check-gcc.py <build folder> [jobs]
"""

import hashlib
import json
import os
import shlex
import shutil
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

from compile_checks import count_failures, flag_words, unity_sources

# The program is compiled optimised, with the Release build's definitions (CMake's NDEBUG, Qt's
# QT_NO_DEBUG): at -O2 every warning of g++'s middle end runs (the Release build itself compiles at
# CMake's -O3). The tests, which no Release build compiles, are compiled unoptimised as the
# developers' build compiles them, where g++ still refuses a use after free and a dangling pointer:
# optimising them too would take scripts/test.sh past its budget.
PROGRAM_FLAGS = ["-O2", "-DNDEBUG", "-DQT_NO_DEBUG"]
TEST_FLAGS = ["-O0"]
# What g++ adds of its own in a unity g++ build (CMakeLists.txt) and its lighter garbage collection.
GCC_FLAGS = ["--param=ggc-min-expand=100", "--param=ggc-min-heapsize=1048576"]
UNITY_GCC_FLAGS = ["-Wno-subobject-linkage"]
# The test build's flags that the check replaces or leaves out: its optimisation level, debug
# information and sanitizers.
DEBUG_ONLY_PREFIXES = ("-O", "-g", "-fsanitize", "-fno-sanitize", "-fno-omit-frame-pointer")

# Faults clang 14 accepts that g++ 12 refuses with these flags, each with the warning it names.
PROBES = {
    "use-after-free": """#include <cstdlib>
int UseAfterFree()
{
    int* value = static_cast<int*>(std::malloc(sizeof(int)));
    if (!value)
        return 0;
    *value = 1;
    std::free(value);
    return *value;
}
""",
    "dangling-pointer": """int Dangling(int seed)
{
    const int* kept;
    {
        int local = seed;
        kept = &local;
    }
    return *kept;
}
""",
}


def compilations(entries):
    """Every compilation of the build but its precompiled headers'."""
    return [entry for entry in entries if not entry["file"].endswith("cmake_pch.hxx.cxx")]


def gcc_header(header, folder, level):
    """The precompiled header's text without clang's pragma, for g++ to read: a copy for each set
    of level flags, which g++ precompiles with them."""
    with open(header, encoding="utf-8") as file:
        text = file.read().replace("#pragma clang system_header\n", "")
    path = os.path.join(folder, hashlib.sha1(repr((header, level)).encode()).hexdigest()[:16] + ".hxx")
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)
    return path


def gcc_flags(command, folder, level):
    """The entry's flags for g++ with the level flags: clang's precompiled header read as its text,
    the test build's own level and sanitizers left out."""
    words = flag_words(command)
    kept = []
    position = 0
    while position < len(words):
        word = words[position]
        if word == "-Xclang" and position + 3 < len(words) and words[position + 2] == "-Xclang":
            option, value = words[position + 1], words[position + 3]
            if option == "-include":
                kept += ["-include", gcc_header(value, folder, level)]
            elif option != "-include-pch":
                kept += [word, option, words[position + 2], value]
            position += 4
            continue
        if not word.startswith(DEBUG_ONLY_PREFIXES):
            kept.append(word)
        position += 1
    return kept + level + GCC_FLAGS


class Compilation:
    """One g++ compilation of an entry to a thrown-away object, and the header it reads, if any."""

    def __init__(self, entry, folder, number):
        words = shlex.split(entry["command"])
        self.source = entry["file"]
        self.directory = entry["directory"]
        self.compiler = "g++" if words[0].endswith("++") else "gcc"
        self.of_program = words[words.index("-o") + 1].startswith(("src/", "tools/"))
        self.flags = gcc_flags(entry["command"], folder, PROGRAM_FLAGS if self.of_program else TEST_FLAGS)
        if unity_sources(self.source) is not None:
            self.flags += UNITY_GCC_FLAGS
        self.header = self.flags[self.flags.index("-include") + 1] if "-include" in self.flags else None
        self.object = os.path.join(folder, f"{number}.o")

    def size(self):
        """The bytes of source it compiles (a unity batch's, its files'): compiled longest first,
        the last compilations leave no core idle for long."""
        return os.path.getsize(self.source) + sum(map(os.path.getsize, unity_sources(self.source) or []))

    def flags_without_header(self):
        if not self.header:
            return list(self.flags)
        at = self.flags.index("-include")
        return self.flags[:at] + self.flags[at + 2:]

    def precompile(self):
        """Precompiles the header with these flags beside it, as its readers will read it."""
        command = [self.compiler, *self.flags_without_header(), "-x", "c++-header", self.header, "-o", self.header + ".gch"]
        result = subprocess.run(command, cwd=self.directory, capture_output=True, text=True)
        if result.returncode != 0:
            raise RuntimeError(f"g++ does not precompile {self.header}:\n{result.stderr}")

    def run(self):
        command = [self.compiler, *self.flags, "-Winvalid-pch", "-c", self.source, "-o", self.object]
        result = subprocess.run(command, cwd=self.directory, capture_output=True, text=True)
        if os.path.exists(self.object):
            os.remove(self.object)
        return self.source, result.returncode, result.stderr


def check_probes(compilation, folder):
    """An error naming each probe's fault when that probe compiles on the compilation's flags."""
    errors = []
    for warning, text in PROBES.items():
        probe = os.path.join(folder, f"probe-{warning}.cpp")
        with open(probe, "w", encoding="utf-8") as file:
            file.write(text)
        command = ["g++", *compilation.flags_without_header(), "-c", probe, "-o", probe + ".o"]
        result = subprocess.run(command, cwd=compilation.directory, capture_output=True, text=True)
        if os.path.exists(probe + ".o"):
            os.remove(probe + ".o")
        if result.returncode == 0 or f"-Werror={warning}" not in result.stderr:
            errors.append(f"the g++ check's flags let a {warning.replace('-', ' ')} through "
                          f"({' '.join(command)}):\n{result.stderr}")
    return errors


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    if not shutil.which("g++"):
        sys.exit("The g++ check needs g++ (scripts/setup-deps.sh installs it).")
    build = os.path.abspath(sys.argv[1])
    jobs = int(sys.argv[2]) if len(sys.argv) > 2 else os.cpu_count()
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as file:
        entries = compilations(json.load(file))
    folder = os.path.join(build, "gcc-check")
    os.makedirs(folder, exist_ok=True)
    all_compilations = [Compilation(entry, folder, number) for number, entry in enumerate(entries)]
    for of_program in (True, False):
        probed = next((c for c in all_compilations if c.of_program == of_program and c.compiler == "g++"), None)
        probe_errors = check_probes(probed, folder) if probed else []
        if probe_errors:
            sys.exit("\n".join(probe_errors))
    readers = {}
    for compilation in all_compilations:
        if compilation.header:
            readers.setdefault(compilation.header, compilation)
    with ThreadPoolExecutor(max_workers=jobs) as pool:
        try:
            list(pool.map(Compilation.precompile, readers.values()))
        except RuntimeError as error:
            sys.exit(str(error))
        results = pool.map(Compilation.run, sorted(all_compilations, key=Compilation.size, reverse=True))
        failed = count_failures(results, lambda path: f"g++ does not compile {os.path.relpath(path, build)}")
    print(f"{len(all_compilations)} compilations of the program ({' '.join(PROGRAM_FLAGS)}) and the tests "
          f"({' '.join(TEST_FLAGS)}) compiled with g++, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
