#!/usr/bin/env python3
"""Checks that every source and test file compiles on its own, as the per-file build compiles it.

Reads the build's compile_commands.json; a unity batch stands for the files it includes, each
checked with the batch's command. Every file is parsed alone (-fsyntax-only), in parallel, with the
precompiled header its target uses, as in the per-file build. Prints each file that fails with its
errors; exits non-zero when one does.

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


def checks(build, root):
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as file:
        entries = json.load(file)
    seen = set()
    for entry in entries:
        source = entry["file"]
        if re.search(r"/Unity/unity_\d+_cxx\.cxx$", source):
            with open(source, encoding="utf-8") as batch:
                sources = UNITY_INCLUDE.findall(batch.read())
        else:
            sources = [source]
        for path in sources:
            if own_file(path, root) and path not in seen:
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
    print(f"{len(all_checks)} files parsed alone, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
