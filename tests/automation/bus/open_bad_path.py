#!/usr/bin/python3
"""A script's OpenProject on a path that names no project file, or a package the unpack would
refuse, while a project with an unsaved change is open: each answers 0 and sends the open's text as
a Message signal; the project stays open with its change, and nothing in its folder is written, its
files byte for byte as they were, nor anything left in the working folder. A package that is no whole
project (a listed step's file left out, a view spelled in capitals in a step) is refused the same
way, and a member whose declared size passes what its kind holds (4 GiB of zeros packed into 4 MB,
a size the directory misstates) is refused at once, the program writing no more than 1 MiB for it.
The change is then discarded.
Usage: open_bad_path.py <program> <project file>. Exits non-zero on the first failed check."""
import hashlib
import os
import shutil
import sqlite3
import struct
import subprocess
import sys
import time
import zipfile
import zlib

import dbus
import dbus.mainloop.glib
from gi.repository import GLib

NAME = "Quorvanta.Application"
program, project = sys.argv[1], sys.argv[2]
folder = os.path.dirname(project)
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
messages = []
bus.add_signal_receiver(lambda text: messages.append(str(text)), signal_name="Message",
                        dbus_interface=NAME, path="/Application")
proc = subprocess.Popen([program, "-Automation"])


def check(condition, what):
    if not condition:
        proc.kill()
        sys.exit("FAILED: " + what)
    print("ok:", what)


def wait_for_name():
    for _ in range(300):
        if bus.name_has_owner(NAME):
            return
        if proc.poll() is not None:
            sys.exit("program ended before it took the bus name: %s" % proc.returncode)
        time.sleep(0.1)
    sys.exit("the bus name never appeared")


def obj(path, iface):
    return dbus.Interface(bus.get_object(NAME, path, introspect=False), iface)


def props(path):
    return obj(path, "org.freedesktop.DBus.Properties")


def signals_so_far():
    """The Message signals received up to now (they come before the call's reply)."""
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass
    received = list(messages)
    messages.clear()
    return received


def folder_state():
    state = {}
    for name in [""] + sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        info = os.stat(path)
        digest = hashlib.sha256(open(path, "rb").read()).hexdigest() if name else ""
        state[name] = (info.st_ino, info.st_size, info.st_mtime_ns, digest)
    return state


def write_package(path, drop=(), extra=(), source=None):
    """The project's folder packed as the program packs it (the root stored first, the members
    deflated), without the members in drop and with extra members named as given."""
    base = os.path.splitext(os.path.basename(project))[0]
    source = source or folder
    with zipfile.ZipFile(path, "w") as package:
        package.writestr(zipfile.ZipInfo("QVZROOT"), b"Quorvanta compound project 1\n%s\n" % base.encode())
        members = [base + ".prj", base + ".eqm", base + ".mtl"]
        members += sorted(n for n in os.listdir(folder) if n.upper().endswith(".STP"))
        for name in [n for n in members if n not in drop] + list(extra):
            info = zipfile.ZipInfo(name)
            info.compress_type = zipfile.ZIP_DEFLATED
            data = open(os.path.join(source, name), "rb").read() if name in members else b"extra"
            package.writestr(info, data)


def crc_of_zeros(size):
    """The CRC-32 of size zero bytes (a power of two of at least 1 MiB), by doubling: zlib's
    crc32_combine of a piece with itself, written out."""
    def times(matrix, vector):
        result, k = 0, 0
        while vector:
            if vector & 1:
                result ^= matrix[k]
            vector, k = vector >> 1, k + 1
        return result

    def square(matrix):
        return [times(matrix, matrix[n]) for n in range(32)]

    def shifted(crc, length):  # as if length zero bytes followed, the pre- and post-inversion aside
        operator = [0xEDB88320] + [1 << n for n in range(31)]
        operator = square(square(square(operator)))  # one zero byte, then two, four, ...
        while length:
            if length & 1:
                crc = times(operator, crc)
            length >>= 1
            operator = square(operator)
        return crc

    length, crc = 1 << 20, zlib.crc32(bytes(1 << 20))
    while length < size:
        crc, length = shifted(crc, length) ^ crc, length * 2
    return crc


def zeros_deflated(size):
    """size zero bytes deflated in a moment: one deflated MiB repeated (each starts afresh after a
    full flush), then an empty final block."""
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    block = packer.compress(bytes(1 << 20)) + packer.flush(zlib.Z_FULL_FLUSH)
    return [block] * (size >> 20) + [b"\x03\x00"], crc_of_zeros(size)


def write_zip(path, entries):
    """A zip written by hand from entries (name, method, pieces of data, size, crc, declared size),
    with ZIP64 sizes throughout: the directory declares the declared size, the local header the
    true one."""
    offsets = []
    with open(path, "wb") as out:
        for name, method, pieces, size, crc, _ in entries:
            offsets.append(out.tell())
            extra = struct.pack("<HHQQ", 1, 16, size, sum(map(len, pieces)))
            out.write(struct.pack("<IHHHHHIIIHH", 0x04034B50, 45, 0, method, 0, 0x21, crc, 0xFFFFFFFF,
                                  0xFFFFFFFF, len(name), len(extra)) + name.encode() + extra)
            for piece in pieces:
                out.write(piece)
        start = out.tell()
        for (name, method, pieces, size, crc, declared), offset in zip(entries, offsets):
            extra = struct.pack("<HHQQQ", 1, 24, declared, sum(map(len, pieces)), offset)
            out.write(struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 45, 45, 0, method, 0, 0x21, crc,
                                  0xFFFFFFFF, 0xFFFFFFFF, len(name), len(extra), 0, 0, 0, 0, 0xFFFFFFFF)
                      + name.encode() + extra)
        end = out.tell()
        count = len(entries)
        out.write(struct.pack("<IQHHIIQQQQ", 0x06064B50, 44, 45, 45, 0, 0, count, count, end - start, start))
        out.write(struct.pack("<IIQI", 0x07064B50, 0, end, 1))
        out.write(struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, 0xFFFF, 0xFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0))


def write_hand_package(path, zeros=None, declared=None):
    """The project's folder packed by hand: zeros = (member, size) replaces or adds a member of
    that many zero bytes; declared = (member, size) makes the directory misstate a member's size."""
    base = os.path.splitext(os.path.basename(project))[0]
    root = b"Quorvanta compound project 1\n%s\n" % base.encode()
    entries = [("QVZROOT", 0, [root], len(root), zlib.crc32(root), len(root))]
    members = [base + ".prj", base + ".eqm", base + ".mtl"]
    members += sorted(n for n in os.listdir(folder) if n.upper().endswith(".STP"))
    for name in members + ([zeros[0]] if zeros and zeros[0] not in members else []):
        if zeros and name == zeros[0]:
            pieces, crc = zeros_deflated(zeros[1])
            size = zeros[1]
        else:
            data = open(os.path.join(folder, name), "rb").read()
            packer = zlib.compressobj(6, zlib.DEFLATED, -15)
            pieces, size, crc = [packer.compress(data) + packer.flush()], len(data), zlib.crc32(data)
        stated = declared[1] if declared and declared[0] == name else size
        entries.append((name, 8, pieces, size, crc, stated))
    write_zip(path, entries)


def sent_packages(into):
    """Damaged packages a colleague could send, each with the reason the open refuses it for."""
    base = os.path.splitext(os.path.basename(project))[0]
    junk, empty = os.path.join(into, "Junk.qvz"), os.path.join(into, "Empty.qvz")
    no_project, bad_name = os.path.join(into, "NoProject.qvz"), os.path.join(into, "BadName.qvz")
    with open(junk, "wb") as out:
        out.write(b"PK\x03\x04" + b"\x5a" * 300)
    open(empty, "wb").close()
    write_package(no_project, drop=(base + ".prj",))
    write_package(bad_name, extra=("n_User_Sim_Def_1.txt\n",))
    return ((junk, "the file is not a compound file"), (empty, "the file is not a compound file"),
            (no_project, base + ".prj is missing"),
            (bad_name, '"n_User_Sim_Def_1.txt\n" is no file of the project ' + base))


def spell_view_in_capitals(path, table):
    """The table becomes an endless view whose type the schema table spells "VIEW"."""
    db = sqlite3.connect(path)
    columns = ", ".join('x AS "%s"' % row[1] for row in db.execute('PRAGMA table_info("%s")' % table))
    db.execute('CREATE TABLE "%s_real" AS SELECT * FROM "%s"' % (table, table))
    db.execute('DROP TABLE "%s"' % table)
    db.execute('CREATE VIEW "%s" AS SELECT * FROM "%s_real" UNION ALL SELECT * FROM (WITH RECURSIVE '
               'c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c) SELECT %s FROM c)' % (table, table, columns))
    db.commit()
    db.execute("PRAGMA writable_schema = ON")
    db.execute("UPDATE sqlite_master SET type = 'VIEW' WHERE name = ?", (table,))
    db.commit()
    db.close()


def unwhole_packages(into):
    """Sound zips that are no whole project, or whose members pass what their kind holds, each with
    the reason the open refuses it for and whether the refusal comes before any unpack."""
    first_step = sorted(n for n in os.listdir(folder) if n.upper().endswith(".STP"))[0]
    no_step, view = os.path.join(into, "NoStep.qvz"), os.path.join(into, "View.qvz")
    zeros, zeros_seq = os.path.join(into, "Zeros.qvz"), os.path.join(into, "ZerosSequence.qvz")
    liar = os.path.join(into, "Liar.qvz")
    write_package(no_step, drop=(first_step,))
    spelled = os.path.join(into, "spelled")
    shutil.copytree(folder, spelled)
    spell_view_in_capitals(os.path.join(spelled, first_step), "UnitProcedure")
    write_package(view, source=spelled)
    shutil.rmtree(spelled)
    write_hand_package(zeros, zeros=(first_step, 4 << 30))
    sequence = "Weekly_User_Sim_Def_1.txt"
    write_hand_package(zeros_seq, zeros=(sequence, 4 << 30))
    write_hand_package(liar, declared=(first_step, 0xFFFFFFF0))
    too_big = '"%s" declares %d bytes, more than a %s of a project holds (%d)'
    return ((no_step, first_step + " is missing", False),
            (view, first_step + ' cannot be used: the view "UnitProcedure" is not one of ours', False),
            (zeros, too_big % (first_step, 4 << 30, "database", 1 << 31), True),
            (zeros_seq, too_big % (sequence, 4 << 30, "sequence file", 1 << 20), True),
            (liar, "Zip archive inconsistent", True))


def written_so_far():
    """The bytes the program has written so far, through any descriptor."""
    with open("/proc/%d/io" % proc.pid) as io:
        return int(next(line for line in io if line.startswith("wchar:")).split()[1])


def working_folder():
    path = os.path.join(os.environ["HOME"], "Documents", "Quorvanta")
    return sorted(os.listdir(path)) if os.path.isdir(path) else None


def saved_comments(step_id, up_id):
    with sqlite3.connect(os.path.join(folder, "STEP_%d.STP" % step_id)) as db:
        return db.execute("SELECT UserComments FROM UnitProcedure WHERE UnitProcedureID = ?",
                          (up_id,)).fetchone()[0]


wait_for_name()
app = obj("/Application", NAME)
check(app.OpenProject(project) == 1, "OpenProject answers 1")
process = obj("/Processes", "Quorvanta.QVProcesses").Items()[0]
step = obj(process + "/Steps", "Quorvanta.QVSteps").Items()[0]
up = obj(step + "/UnitProcedures", "Quorvanta.QVUnitProcedures").Items()[0]
step_id, up_id = int(up.split("/")[4]), int(up.split("/")[-1])
comments_before = saved_comments(step_id, up_id)
props(up).Set("", "Comments", "Not saved by any open.")
signals_so_far()
before = folder_state()

notes = os.path.join(os.path.dirname(folder), "notes.txt")
open(notes, "w").close()
missing = os.path.join(os.path.dirname(folder), "Other", "Other.prj")
refused = [(missing, "The file %s does not exist" % missing),
           (notes, "Please select a Tamro Plenthover Project file to open!")]
for package, reason in sent_packages(os.path.dirname(folder)):
    refused.append((package, "%s is not a Tamro Plenthover project: %s" % (package, reason)))
unwhole = unwhole_packages(os.path.dirname(folder))
for package, reason, _ in unwhole:
    refused.append((package, "%s is not a Tamro Plenthover project: %s" % (package, reason)))
bounded = [package for package, _, at_once in unwhole if at_once]
working_before = working_folder()
for path, said in refused:
    written, started = written_so_far(), time.monotonic()
    check(app.OpenProject(path) == 0, "OpenProject(%s) answers 0" % path)
    if path in bounded:
        check(written_so_far() - written <= 1 << 20, "at most 1 MiB written for %s" % path)
        check(time.monotonic() - started < 10, "refused at once")
    received = signals_so_far()
    check(folder_state() == before, "nothing in the project folder was written")
    check(working_folder() == working_before, "nothing is left in the working folder")
    check(received == [said], "the Message signal says: %s (got %s)" % (said, received))
    check(props(up).Get("", "Comments") == "Not saved by any open.", "the project is open with its change")

app.CloseProject(False)
check(saved_comments(step_id, up_id) == comments_before, "the discarded change never reached the step file")
app.Quit()
check(proc.wait(timeout=60) == 0, "Quit ends the program with 0")
print("PASS")
