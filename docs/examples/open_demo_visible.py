#!/usr/bin/python3
"""Opens the sample project in Quorvanta from a script, shows the window, simulates the first
step of the first process and quits.

    open_demo_visible.py <quorvanta program> <Demo.prj> [seconds to keep the window shown]

The program is started for scripting (-Automation): it takes the name "Quorvanta.Application" on
the session bus and shows no window until a script puts Visible to 1. A batch run replies only
when it has finished, so its call gets a long timeout."""
import subprocess
import sys
import time

import dbus

NAME = "Quorvanta.Application"
program, project = sys.argv[1], sys.argv[2]
shown_for = float(sys.argv[3]) if len(sys.argv) > 3 else 0

bus = dbus.SessionBus()
quorvanta = subprocess.Popen([program, "-Automation"])
while not bus.name_has_owner(NAME):
    if quorvanta.poll() is not None:
        sys.exit("Quorvanta ended before it was ready")
    time.sleep(0.1)

app = dbus.Interface(bus.get_object(NAME, "/Application"), "Quorvanta.Application")
settings = dbus.Interface(bus.get_object(NAME, "/Application"), "org.freedesktop.DBus.Properties")

if app.OpenProject(project) != 1:
    sys.exit("the project did not open")
settings.Set("Quorvanta.Application", "Visible", dbus.Int32(1))

processes = dbus.Interface(bus.get_object(NAME, "/Processes"), "Quorvanta.QVProcesses")
first_process = processes.Items()[0]
steps = dbus.Interface(bus.get_object(NAME, first_process + "/Steps"), "Quorvanta.QVSteps")
step_id = int(steps.Items()[0].split("/")[-1])
print("simulating step", step_id)
app.SimulateBatch(step_id, timeout=3600)

time.sleep(shown_for)  # time to look at the window (or take a screenshot)
app.CloseProject(False)  # discard: Quit alone would save a modified project
app.Quit()
sys.exit(quorvanta.wait())
