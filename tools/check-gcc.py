#!/usr/bin/env python3
"""Checks that g++ compiles the program as a clang build compiled it, its warnings failing as errors.

The test build compiles with clang, whose sanitized builds take half the time; the program that
scripts/run.sh builds compiles with g++. Each compilation of the program's libraries, programs
and tools in the build's compile_commands.json (the unity batches and the files compiled apart) is
parsed here by g++ -fsyntax-only on the build's flags, so that an error or a warning of g++'s
front end fails the run as it would fail a g++ build. The tests are left to clang: parsing them
too would cost more than clang saves. g++ precompiles the build's precompiled header once here,
from its text. Prints each compilation that fails with its diagnostics; exits non-zero when one
does.

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

from compile_checks import count_failures, flag_words

# What g++ adds of its own in a unity g++ build (CMakeLists.txt) and its lighter garbage collection.
GCC_FLAGS = ["--param=ggc-min-expand=100", "--param=ggc-min-heapsize=1048576"]
UNITY_GCC_FLAGS = ["-Wno-subobject-linkage"]


def program_entries(entries):
    """The compilations of the program's libraries, programs and tools, not of precompiled headers."""
    for entry in entries:
        command = entry["command"]
        if not entry["file"].endswith("cmake_pch.hxx.cxx") and (" -o src/" in command or " -o tools/" in command):
            yield entry


def gcc_header(header, folder):
    """The precompiled header's text without clang's pragma, for g++ to read."""
    with open(header, encoding="utf-8") as file:
        text = file.read().replace("#pragma clang system_header\n", "")
    path = os.path.join(folder, hashlib.sha1(header.encode()).hexdigest()[:16] + ".hxx")
    with open(path, "w", encoding="utf-8") as file:
        file.write(text)
    return path


def gcc_flags(command, folder):
    """The entry's flags for g++: no output, clang's precompiled header read as its text."""
    words = flag_words(command)
    kept = []
    position = 0
    while position < len(words):
        word = words[position]
        if word == "-Xclang" and position + 3 < len(words) and words[position + 2] == "-Xclang":
            option, value = words[position + 1], words[position + 3]
            if option == "-include":
                kept += ["-include", gcc_header(value, folder)]
            elif option != "-include-pch":
                kept += [word, option, words[position + 2], value]
            position += 4
            continue
        kept.append(word)
        position += 1
    return kept


def gcc_command(entry, folder):
    """The g++ (or gcc) command that parses the entry, and the header it reads, if any."""
    compiler = "g++" if shlex.split(entry["command"])[0].endswith("++") else "gcc"
    flags = gcc_flags(entry["command"], folder)
    if "/Unity/unity_" in entry["file"]:
        flags += UNITY_GCC_FLAGS
    header = flags[flags.index("-include") + 1] if "-include" in flags else None
    return [compiler, *flags, *GCC_FLAGS, "-Winvalid-pch", "-fsyntax-only", entry["file"]], header


def precompile(command, header, directory):
    """Precompiles header with the flags of command (one of its readers) beside it."""
    flags = command[1:-2]
    at = flags.index("-include")
    flags = flags[:at] + flags[at + 2:]
    build = [command[0], *flags, "-x", "c++-header", header, "-o", header + ".gch"]
    result = subprocess.run(build, cwd=directory, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"g++ does not precompile {header}:\n{result.stderr}")


def run(command, directory):
    result = subprocess.run(command, cwd=directory, capture_output=True, text=True)
    return command[-1], result.returncode, result.stderr


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    if not shutil.which("g++"):
        sys.exit("The g++ check needs g++ (scripts/setup-deps.sh installs it).")
    build = os.path.abspath(sys.argv[1])
    jobs = int(sys.argv[2]) if len(sys.argv) > 2 else os.cpu_count()
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as file:
        entries = list(program_entries(json.load(file)))
    folder = os.path.join(build, "gcc-check")
    os.makedirs(folder, exist_ok=True)
    commands = [(gcc_command(entry, folder), entry["directory"]) for entry in entries]
    readers = {}
    for (command, header), directory in commands:
        if header:
            readers.setdefault(header, (command, directory))
    with ThreadPoolExecutor(max_workers=jobs) as pool:
        try:
            list(pool.map(lambda item: precompile(item[1][0], item[0], item[1][1]), readers.items()))
        except RuntimeError as error:
            sys.exit(str(error))
        results = pool.map(lambda item: run(item[0][0], item[1]), commands)
        failed = count_failures(results, lambda path: f"g++ does not compile {os.path.relpath(path, build)}")
    print(f"{len(entries)} compilations of the program checked with g++, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
