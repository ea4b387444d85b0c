#!/usr/bin/env python3
"""Every file the program writes goes through foundation/common's creator (NewFile.h).

Fails naming file:line for any other way of writing in src/: QSaveFile, std::ofstream, fopen for
writing, open(2) with O_WRONLY/O_RDWR/O_CREAT, QFile opened for writing, QFile::copy, and the
libraries that write by name (zip, workbook, VACUUM INTO, printer output) outside a staging folder.
tools/check-writers.allow names each exception: "<file> <kind> <reason>", one line each; an entry
that matches nothing fails too, so the list stays true.

  tools/check-writers.py              check src/ of this repository
  tools/check-writers.py --self-test  show the check failing on a probe tree
"""
import pathlib
import re
import subprocess
import sys
import tempfile

# The creator itself.
CREATOR = {"src/foundation/common/NewFile.cpp", "src/foundation/common/NewFileReplace.cpp"}

KINDS = [
    ("save-file", re.compile(r"\bQSaveFile\b")),
    ("ofstream", re.compile(r"\b(std::)?(o|)fstream\b")),
    ("fopen-write", re.compile(r"\b(fopen|freopen|fdopen)\s*\([^;]*\"[^\"]*[wa+][^\"]*\"")),
    ("open-write", re.compile(r"\bO_(WRONLY|RDWR|CREAT|TRUNC|APPEND)\b|\bcreat\s*\(")),
    ("qfile-write", re.compile(r"\b(QIODevice|QIODeviceBase|QFile|QFileDevice)::(WriteOnly|ReadWrite|Append|Truncate)\b")),
    ("qfile-copy", re.compile(r"\bQFile::copy\b|\.copy\s*\(\s*[^)]*,")),
    ("library-by-name", re.compile(r"\bworkbook_new\s*\(|\bzip_open\s*\([^;]*ZIP_CREATE|VACUUM INTO|"
                                   r"\bsetOutputFileName\b|\bQPdfWriter\b|\bQImageWriter\b")),
]


def code_of(line):
    """The line without its // comment (a string holding // is rare enough here)."""
    cut = line.find("//")
    return line if cut < 0 else line[:cut]


def read_allow(path):
    entries = {}
    for number, line in enumerate(path.read_text().splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split(None, 2)
        if len(fields) < 3:
            sys.exit(f"{path}:{number}: want '<file> <kind> <reason>'")
        entries[(fields[0], fields[1])] = number
    return entries


def statements(text):
    """(first line number, text) of each statement, its lines joined up to a ';', '{', '}' or label."""
    lines = text.splitlines()
    i = 0
    while i < len(lines):
        joined, j = code_of(lines[i]), i
        while not re.search(r"[;{}:]\s*$|^\s*#|^\s*$", joined) and j + 1 < len(lines) and j - i < 4:
            j += 1
            joined += " " + code_of(lines[j]).strip()
        yield i + 1, joined
        i = j + 1


def findings(root):
    for path in sorted((root / "src").rglob("*")):
        if path.suffix not in (".cpp", ".h") or not path.is_file():
            continue
        name = path.relative_to(root).as_posix()
        if name in CREATOR:
            continue
        in_block_comment = False
        for number, line in statements(path.read_text(errors="replace")):
            stripped = line.strip()
            if in_block_comment or stripped.startswith("/*"):
                in_block_comment = "*/" not in stripped
                continue
            for kind, pattern in KINDS:
                if pattern.search(line):
                    yield name, number, kind, stripped


def check(root, allow_path):
    allow = read_allow(allow_path)
    used, failed = set(), False
    for name, number, kind, text in findings(root):
        if (name, kind) in allow:
            used.add((name, kind))
            continue
        print(f"{name}:{number}: {kind}: write through the creator (foundation/common/NewFile.h): {text}")
        failed = True
    for entry, number in sorted(allow.items()):
        if entry not in used:
            print(f"{allow_path}:{number}: {entry[0]} {entry[1]}: allowed but not found")
            failed = True
    return 1 if failed else 0


def self_test():
    """The check fails on a probe writer, naming its file and line, and passes once it is allowed."""
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder)
        (root / "src/probe").mkdir(parents=True)
        (root / "src/probe/Probe.cpp").write_text(
            "// QSaveFile in a comment is no writer\n"
            "void f() {\n"
            "    QSaveFile file(path);\n"
            "    const int fd = ::open(name,\n"
            "                          O_WRONLY | O_CLOEXEC);\n"
            "}\n")
        allow = root / "allow"
        allow.write_text("")
        run = subprocess.run([sys.executable, __file__, "--root", str(root), "--allow", str(allow)],
                             capture_output=True, text=True)
        expected = ["src/probe/Probe.cpp:3: save-file", "src/probe/Probe.cpp:4: open-write"]
        if run.returncode == 0 or any(e not in run.stdout for e in expected) or ":1:" in run.stdout:
            print("self-test: the probe was not reported as expected:\n" + run.stdout, file=sys.stderr)
            return 1
        allow.write_text("src/probe/Probe.cpp save-file probe\nsrc/probe/Probe.cpp open-write probe\n"
                         "src/probe/Gone.cpp qfile-copy stale\n")
        run = subprocess.run([sys.executable, __file__, "--root", str(root), "--allow", str(allow)],
                             capture_output=True, text=True)
        if run.returncode == 0 or "Gone.cpp qfile-copy: allowed but not found" not in run.stdout or \
                "Probe.cpp:3" in run.stdout:
            print("self-test: the allow-list was not applied:\n" + run.stdout, file=sys.stderr)
            return 1
    print("check-writers self-test: the probe fails as it should")
    return 0


def main(argv):
    if "--self-test" in argv:
        return self_test()
    here = pathlib.Path(__file__).resolve().parent.parent
    root = pathlib.Path(argv[argv.index("--root") + 1]) if "--root" in argv else here
    allow = pathlib.Path(argv[argv.index("--allow") + 1]) if "--allow" in argv else here / "tools/check-writers.allow"
    return check(root, allow)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
