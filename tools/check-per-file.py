#!/usr/bin/env python3
"""Checks that every source and test file compiles on its own, as the per-file build compiles it.

Reads the build's compile_commands.json; a unity batch stands for the files it includes, each
checked with the batch's command. Every file is parsed alone (-fsyntax-only), in parallel, with the
precompiled header its target uses, as in the per-file build. A file the build already compiled
alone is not parsed again: one built outside the batches, and the first file of each batch (its
batch holds nothing before it but the same precompiled header). Prints each file that fails with
its errors; exits non-zero when one does.

The parse runs with clang++ on the build's flags: clang reads a precompiled header on demand, where
g++ restores it whole for every file. A clang build's own precompiled headers are read as they are;
for a g++ build each set of flags gets its own clang header, built here once from the header its
targets share. Only errors count; the build itself checks the warnings.

    tools/check-per-file.py <build folder> [jobs]
"""

import hashlib
import json
import os
import shutil
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

from compile_checks import count_failures, flag_words, unity_sources

# Flags of the build compiler that have no meaning for a clang parse, and the precompiled header
# the build compiler reads (replaced by clang's own).
DROPPED_FLAGS = {"-Werror", "-Winvalid-pch", "-Wno-subobject-linkage"}
CLANG_FLAGS = ["-w", "-Wno-unknown-warning-option"]


def own_file(path, root):
    return any(path.startswith(os.path.join(root, folder) + os.sep) for folder in ("src", "tests", "tools", "bench"))


def parse_flags(command):
    """The entry's compiler flags without the compiler, its output and its source, and the header
    a g++ build precompiles (None where there is none, or where clang built it: its flags then
    read the build's own precompiled header, which fits a clang parse as it is)."""
    words = flag_words(command)
    kept = []
    header = None
    position = 0
    while position < len(words):
        word = words[position]
        if word == "-include" and words[position + 1].endswith("cmake_pch.hxx"):
            header = words[position + 1]
            position += 2
            continue
        if word not in DROPPED_FLAGS:
            kept.append(word)
        position += 1
    return kept, header


def batches(entries):
    """Each unity batch entry with the files it includes, in order."""
    for entry in entries:
        sources = unity_sources(entry["file"])
        if sources is not None:
            yield entry, sources


def checks(build, root):
    """(file, folder, flags, header) for each own file the build compiled only beside other files."""
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as file:
        entries = json.load(file)
    compiled_alone = {entry["file"] for entry in entries}
    all_batches = list(batches(entries))
    compiled_alone.update(sources[0] for _, sources in all_batches if sources)
    seen = set()
    for entry, sources in all_batches:
        flags, header = parse_flags(entry["command"])
        for path in sources:
            if own_file(path, root) and path not in seen and path not in compiled_alone:
                seen.add(path)
                yield path, entry["directory"], flags, header


def header_key(flags, header):
    """Flags that must match between a clang precompiled header and the files that read it."""
    relevant = sorted(flag for flag in flags if flag.startswith(("-D", "-U", "-O", "-f", "-std", "-m")))
    return header, tuple(relevant)


def build_header(clang, folder, key, flags, directory):
    """Compiles the header of key with flags into folder; returns its path or raises with errors."""
    header, _ = key
    digest = hashlib.sha1(repr(key).encode()).hexdigest()[:16]
    output = os.path.join(folder, digest + ".pch")
    # Templates the header instantiates are instantiated once here, not again in every file.
    command = [clang, *flags, *CLANG_FLAGS, "-fpch-instantiate-templates", "-x", "c++-header", header, "-o", output]
    result = subprocess.run(command, cwd=directory, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"the precompiled header {header} does not compile with clang:\n{result.stderr}")
    return output


def clang_headers(clang, build, all_checks, jobs):
    """The clang precompiled header of each header and flags the checks use."""
    folder = os.path.join(build, "per-file-pch")
    os.makedirs(folder, exist_ok=True)
    first = {}
    for _, directory, flags, header in all_checks:
        if header:
            first.setdefault(header_key(flags, header), (flags, directory))
    with ThreadPoolExecutor(max_workers=jobs) as pool:
        paths = pool.map(lambda key: build_header(clang, folder, key, *first[key]), first)
        return dict(zip(first, paths))


def run(clang, headers, check):
    path, directory, flags, header = check
    pch = ["-include-pch", headers[header_key(flags, header)]] if header else []
    command = [clang, *flags, *CLANG_FLAGS, *pch, "-fsyntax-only", path]
    result = subprocess.run(command, cwd=directory, capture_output=True, text=True)
    return path, result.returncode, result.stderr


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    clang = shutil.which("clang++")
    if not clang:
        sys.exit("The per-file check needs clang++ (scripts/setup-deps.sh installs it).")
    build = os.path.abspath(sys.argv[1])
    jobs = int(sys.argv[2]) if len(sys.argv) > 2 else os.cpu_count()
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    all_checks = list(checks(build, root))
    try:
        headers = clang_headers(clang, build, all_checks, jobs)
    except RuntimeError as error:
        sys.exit(str(error))
    with ThreadPoolExecutor(max_workers=jobs) as pool:
        results = pool.map(lambda check: run(clang, headers, check), all_checks)
        failed = count_failures(results, lambda path: f"{os.path.relpath(path, root)} does not compile on its own")
    print(f"{len(all_checks)} files parsed alone, {failed} failed (files the build compiled alone not repeated)")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
