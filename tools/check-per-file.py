#!/usr/bin/env python3
"""Checks that every source and test file compiles on its own, as the per-file build compiles it.

Reads the build's compile_commands.json; a unity batch stands for the files it includes, each
checked with the batch's command. Every file is parsed alone (-fsyntax-only), in parallel, with the
precompiled header its target uses, as in the per-file build. A file the build already compiled
alone is not parsed again: one built outside the batches, and the first file of each batch (its
batch holds nothing before it but the same precompiled header). Prints each file that fails with
its errors; exits non-zero when one does.

    tools/check-per-file.py <build folder> [jobs]
"""

import json
import os
import re
import shlex
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

UNITY_INCLUDE = re.compile(r'^#include "(.+\.cpp)"$', re.MULTILINE)


def own_file(path, root):
    return any(path.startswith(os.path.join(root, folder) + os.sep) for folder in ("src", "tests", "tools", "bench"))


def syntax_command(command, source):
    """The entry's compiler command for source alone: parsed only, nothing written."""
    words = shlex.split(command)
    kept = []
    skip = False
    for word in words:
        if skip:
            skip = False
            continue
        if word in ("-o", "-c"):
            skip = True
            continue
        kept.append(word)
    return kept + ["-fsyntax-only", source]


def batches(entries):
    """Each unity batch entry with the files it includes, in order."""
    for entry in entries:
        if re.search(r"/Unity/unity_\d+_cxx\.cxx$", entry["file"]):
            with open(entry["file"], encoding="utf-8") as batch:
                yield entry, UNITY_INCLUDE.findall(batch.read())


def checks(build, root):
    """(file, folder, command) for each own file the build compiled only beside other files."""
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as file:
        entries = json.load(file)
    compiled_alone = {entry["file"] for entry in entries}
    all_batches = list(batches(entries))
    compiled_alone.update(sources[0] for _, sources in all_batches if sources)
    seen = set()
    for entry, sources in all_batches:
        for path in sources:
            if own_file(path, root) and path not in seen and path not in compiled_alone:
                seen.add(path)
                yield path, entry["directory"], syntax_command(entry["command"], path)


def run(check):
    path, directory, command = check
    result = subprocess.run(command, cwd=directory, capture_output=True, text=True)
    return path, result.returncode, result.stderr


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = os.path.abspath(sys.argv[1])
    jobs = int(sys.argv[2]) if len(sys.argv) > 2 else os.cpu_count()
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    all_checks = list(checks(build, root))
    failed = 0
    with ThreadPoolExecutor(max_workers=jobs) as pool:
        for path, code, errors in pool.map(run, all_checks):
            if code != 0:
                failed += 1
                print(f"== {os.path.relpath(path, root)} does not compile on its own:\n{errors}")
    print(f"{len(all_checks)} files parsed alone, {failed} failed (files the build compiled alone not repeated)")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
