#!/usr/bin/python3
"""A script scales a step of the sample project through gdbus: target 6 doubles the simulated
step, target 4 without a unit is refused; the saved step file holds the doubled batch size.
Usage: scale_demo.py <program> <project file>. Exits non-zero on the first failed check."""
import os
import sqlite3
import subprocess
import sys
import time

import dbus

NAME = "Quorvanta.Application"
program, project = sys.argv[1], sys.argv[2]
bus = dbus.SessionBus()
proc = subprocess.Popen([program, "-Automation"])


def check(condition, what):
    if not condition:
        proc.kill()
        sys.exit("FAILED: " + what)
    print("ok:", what)


def gdbus_scale(path, *args):
    return subprocess.run(["gdbus", "call", "--session", "--dest", NAME, "--object-path", path,
                           "--method", "Quorvanta.QVStep.ScaleRecipe"] + list(args),
                          capture_output=True, text=True, timeout=600)


def batch_size(step_id):
    with sqlite3.connect(os.path.join(os.path.dirname(project), "STEP_%d.STP" % step_id)) as db:
        return db.execute("SELECT BatchSize FROM Step").fetchone()[0]


for _ in range(300):
    if bus.name_has_owner(NAME):
        break
    time.sleep(0.1)
check(bus.name_has_owner(NAME), "the program takes the bus name")
app = dbus.Interface(bus.get_object(NAME, "/Application", introspect=False), "Quorvanta.Application")
check(app.OpenProject(project) == 1, "OpenProject answers 1")
processes = dbus.Interface(bus.get_object(NAME, "/Processes", introspect=False), "Quorvanta.QVProcesses")
steps_path = processes.Items()[0] + "/Steps"
step_path = dbus.Interface(bus.get_object(NAME, steps_path, introspect=False), "Quorvanta.QVSteps").Items()[0]
step_id = int(step_path.split("/")[-1])
before = batch_size(step_id)
check(app.SimulateBatch(step_id, timeout=600) == 1, "the step is simulated")

refused = gdbus_scale(step_path, "4", "<-1>", "<10.0>", "<''>", "<0.0>")
check(refused.returncode != 0 and "Quorvanta.Error.InvalidArgument" in refused.stderr,
      "target 4 without a unit is refused: " + refused.stderr.strip())
scaled = gdbus_scale(step_path, "6", "<-1>", "<99.0>", "<''>", "<2.0>")
check(scaled.returncode == 0 and scaled.stdout.strip() == "(0,)", "target 6 answers 0: " + scaled.stdout.strip()
      + scaled.stderr.strip())
check(app.SaveProject() == 1, "SaveProject after the scaling")
app.CloseProject(False)
app.Quit()
check(proc.wait(timeout=60) == 0, "Quit ends the program with 0")
check(abs(batch_size(step_id) - 2 * before) < 1e-9 * abs(before), "the saved step holds twice %s" % before)
print("PASS")
