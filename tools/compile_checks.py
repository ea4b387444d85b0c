"""What the compile checks of tools/ (check-per-file.py, check-gcc.py) share."""

import shlex


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
