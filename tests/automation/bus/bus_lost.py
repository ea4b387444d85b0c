#!/usr/bin/python3
"""A program started for scripting loses its session bus while its project holds an unsaved
change: it ends within seconds as a crash would leave it (the project's files as they were, the
in-use marker and the working copies kept), and the next open offers the recovery, which brings
the change back. A program whose window is shown stays when its bus goes.
Usage: bus_lost.py <program> <project file>. Exits non-zero on the first failed check."""
import glob
import os
import subprocess
import sys
import time

import dbus
import dbus.mainloop.glib
from gi.repository import GLib

NAME = "Quorvanta.Application"
RECOVER = ("A working copy of this Project exists and may contain unsaved work.\n\n"
           "Do you want to try to recover it?")
CHANGE = "Kept for the recovery."
program, project = sys.argv[1], sys.argv[2]
folder = os.path.dirname(project)
dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
running = []


def check(condition, what):
    if not condition:
        for proc in running:
            proc.kill()
        sys.exit("FAILED: " + what)
    print("ok:", what)


class Session:
    """A private session bus and the program started for scripting on it."""

    def __init__(self):
        self.daemon = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                                       stdout=subprocess.PIPE, text=True)
        address = self.daemon.stdout.readline().strip()
        self.bus = dbus.bus.BusConnection(address)
        self.messages = []
        self.bus.add_signal_receiver(lambda text: self.messages.append(str(text)), signal_name="Message",
                                     dbus_interface=NAME, path="/Application")
        self.proc = subprocess.Popen([program, "-Automation"],
                                     env=dict(os.environ, DBUS_SESSION_BUS_ADDRESS=address))
        running.extend([self.proc, self.daemon])
        for _ in range(300):
            if self.bus.name_has_owner(NAME):
                return
            if self.proc.poll() is not None:
                check(False, "the program runs until it takes the bus name")
            time.sleep(0.1)
        check(False, "the bus name appears")

    def obj(self, path, iface):
        return dbus.Interface(self.bus.get_object(NAME, path, introspect=False), iface)

    def first_unit_procedure(self):
        process = self.obj("/Processes", "Quorvanta.QVProcesses").Items()[0]
        step = self.obj(process + "/Steps", "Quorvanta.QVSteps").Items()[0]
        up = self.obj(step + "/UnitProcedures", "Quorvanta.QVUnitProcedures").Items()[0]
        return self.obj(up, "org.freedesktop.DBus.Properties")

    def received(self):
        context = GLib.MainContext.default()
        while context.iteration(False):
            pass
        return list(self.messages)


def folder_state():
    state = {}
    for name in [""] + sorted(os.listdir(folder)):
        info = os.stat(os.path.join(folder, name))
        state[name] = (info.st_ino, info.st_size, info.st_mtime_ns)
    return state


def working_copies():
    root = os.path.join(os.environ["HOME"], ".cache", "Kovistrel", "Quorvanta", "WorkingCopies")
    return glob.glob(os.path.join(root, "instance-*", "Demo.wc"))


first = Session()
app = first.obj("/Application", NAME)
check(app.OpenProject(project) == 1, "OpenProject answers 1")
first.first_unit_procedure().Set("", "Comments", CHANGE)
before = folder_state()
check("WorkingPath.txt" in before, "the open project holds its in-use marker")

first.bus.close()
first.daemon.kill()
first.daemon.wait()
started = time.monotonic()
try:
    first.proc.wait(timeout=15)
except subprocess.TimeoutExpired:
    check(False, "the program ends once its bus is gone")
check(time.monotonic() - started < 5, "it ends within a few seconds")
check(first.proc.returncode == 0, "it ends without a crash (%s)" % first.proc.returncode)
check(folder_state() == before, "nothing in the project folder was saved, the marker stays")
check(len(working_copies()) == 1, "the working copies stay for the recovery")

second = Session()
app = second.obj("/Application", NAME)
check(app.OpenProject(project) == 1, "the next OpenProject answers 1")
check(RECOVER in second.received(), "the next open offers the recovery")
check(second.first_unit_procedure().Get("", "Comments") == CHANGE, "the recovery brings the change back")
app.CloseProject(False)

# A window the user sees stays when the bus goes: someone may be working in it.
props = second.obj("/Application", "org.freedesktop.DBus.Properties")
props.Set(NAME, "Visible", dbus.Int32(1))
second.bus.close()
second.daemon.kill()
second.daemon.wait()
time.sleep(3)
check(second.proc.poll() is None, "a shown program stays when its bus is gone")
second.proc.terminate()
check(second.proc.wait(timeout=60) == 0, "a termination signal then ends it with 0")
print("PASS")
