"""What the compile checks of tools/ (check-per-file.py, check-gcc.py) share."""

import re
import shlex

UNITY_BATCH = re.compile(r"/Unity/unity_\d+_cxx\.cxx$")
UNITY_INCLUDE = re.compile(r'^#include "(.+\.cpp)"$', re.MULTILINE)


def unity_sources(path):
    """The files the unity batch at path includes, in order; None when path is no unity batch."""
    if not UNITY_BATCH.search(path):
        return None
    with open(path, encoding="utf-8") as batch:
        return UNITY_INCLUDE.findall(batch.read())


def flag_words(command):
    """The words of a compile command after its compiler, without its output (-o) and source (-c)."""
    words = shlex.split(command)[1:]
    kept = []
    position = 0
    while position < len(words):
        if words[position] in ("-o", "-c"):
            position += 2
        else:
            kept.append(words[position])
            position += 1
    return kept


def count_failures(results, describe):
    """Prints each failed (path, exit code, diagnostics) of results under describe(path); answers how
    many failed."""
    failed = 0
    for path, code, errors in results:
        if code != 0:
            failed += 1
            print(f"== {describe(path)}:\n{errors}")
    return failed
