"""What the compile checks of tools/ (check-per-file.py, check-gcc.py) share."""


def count_failures(results, describe):
    """Prints each failed (path, exit code, diagnostics) of results under describe(path); answers how
    many failed."""
    failed = 0
    for path, code, errors in results:
        if code != 0:
            failed += 1
            print(f"== {describe(path)}:\n{errors}")
    return failed
