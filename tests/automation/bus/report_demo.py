#!/usr/bin/python3
"""A script asks for a step's run report and its schedule through the bus: before the run the
schedule raises Failed; after it Results writes the report's default file in the project folder,
an unknown report code raises Failed, and ShowGanttChart opens (then activates) the schedule.
Usage: report_demo.py <program> <project file>. Exits non-zero on the first failed check."""
import glob
import os
import subprocess
import sys
import time

import dbus

NAME = "Quorvanta.Application"
program, project = sys.argv[1], sys.argv[2]
folder = os.path.dirname(project)
bus = dbus.SessionBus()
proc = subprocess.Popen([program, "-Automation"])


def check(condition, what):
    if not condition:
        proc.kill()
        sys.exit("FAILED: " + what)
    print("ok:", what)


def interface(path, name):
    return dbus.Interface(bus.get_object(NAME, path, introspect=False), "Quorvanta." + name)


def error_of(call):
    try:
        call()
    except dbus.exceptions.DBusException as error:
        return error.get_dbus_name(), error.get_dbus_message()
    return None, None


def reports():
    return glob.glob(os.path.join(folder, "*.xlsx"))


for _ in range(300):
    if bus.name_has_owner(NAME):
        break
    time.sleep(0.1)
check(bus.name_has_owner(NAME), "the program takes the bus name")
app = interface("/Application", "Application")
check(app.OpenProject(project) == 1, "OpenProject answers 1")
steps_path = interface("/Processes", "QVProcesses").Items()[0] + "/Steps"
step_path = interface(steps_path, "QVSteps").Items()[0]
step = interface(step_path, "QVStep")
step_id = int(step_path.split("/")[-1])

name, text = error_of(lambda: step.ShowGanttChart(timeout=600))
check(name == "Quorvanta.Error.Failed", "the schedule of an unsimulated step fails: %s %s" % (name, text))
name, text = error_of(lambda: step.Results(105, timeout=600))
check(name == "Quorvanta.Error.Failed" and not reports(), "Results before the run fails, nothing written: %s" % text)

check(app.SimulateBatch(step_id, timeout=600) == 1, "the step is simulated")
check(bool(step.Results(105, timeout=600)), "Results answers true")
written = reports()
check(len(written) == 1 and os.path.basename(written[0]).startswith("Material Balance - "),
      "the report is written to its default file: %s" % written)
with open(written[0], "rb") as workbook:
    check(workbook.read(2) == b"PK", "the report is a workbook")
check(not glob.glob(os.path.join(folder, "*.part")), "no partial file is left")
name, text = error_of(lambda: step.Results(987654, timeout=600))
check(name == "Quorvanta.Error.Failed" and "987654" in text, "an unknown report code fails: %s %s" % (name, text))
check(len(reports()) == 1, "the unknown code writes nothing")

for attempt in ("opens", "activates"):
    name, text = error_of(lambda: step.ShowGanttChart(timeout=600))
    check(name is None, "ShowGanttChart %s the schedule of the simulated step: %s %s" % (attempt, name, text))

app.CloseProject(False)
app.Quit()
check(proc.wait(timeout=60) == 0, "Quit ends the program with 0")
print("PASS")
