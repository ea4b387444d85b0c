#!/usr/bin/python3
"""A script's OpenProject on a path that names no project file, or a package the unpack would
refuse, while a project with an unsaved change is open: each answers 0 and sends the open's text as
a Message signal; the project stays open with its change, and nothing in its folder is written, its
files byte for byte as they were, nor anything left in the working folder. A package that is no whole
project (a listed step's file left out, a view spelled in capitals in a step) is refused the same
way: unpacked and checked before the close would save the change. The change is then discarded.
Usage: open_bad_path.py <program> <project file>. Exits non-zero on the first failed check."""
import hashlib
import os
import shutil
import sqlite3
import subprocess
import sys
import time
import zipfile

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
    """Sound zips that hold no whole project, each with the reason the open refuses it for."""
    first_step = sorted(n for n in os.listdir(folder) if n.upper().endswith(".STP"))[0]
    no_step, view = os.path.join(into, "NoStep.qvz"), os.path.join(into, "View.qvz")
    write_package(no_step, drop=(first_step,))
    spelled = os.path.join(into, "spelled")
    shutil.copytree(folder, spelled)
    spell_view_in_capitals(os.path.join(spelled, first_step), "UnitProcedure")
    write_package(view, source=spelled)
    shutil.rmtree(spelled)
    return ((no_step, first_step + " is missing"),
            (view, first_step + ' cannot be used: the view "UnitProcedure" is not one of ours'))


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
for package, reason in unwhole_packages(os.path.dirname(folder)):
    refused.append((package, "%s is not a Tamro Plenthover project: %s" % (package, reason)))
working_before = working_folder()
for path, said in refused:
    check(app.OpenProject(path) == 0, "OpenProject(%s) answers 0" % path)
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
