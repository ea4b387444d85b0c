#!/usr/bin/python3
"""Drives the program on the session bus the way a script would: opens the sample project,
walks every level, puts a range value, simulates, saves, closes and quits.
Usage: walk_demo.py <program> <project file>. Exits non-zero on the first failed check."""
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


def check(condition, what):
    if not condition:
        proc.kill()
        sys.exit("FAILED: " + what)
    print("ok:", what)


def expect_error(call, name, what):
    try:
        call()
    except dbus.DBusException as error:
        check(error.get_dbus_name() == name, "%s raises %s (got %s)" % (what, name, error.get_dbus_name()))
        return
    check(False, what + " raises " + name)


def step_file_value(step_id, sql, args=()):
    with sqlite3.connect(os.path.join(os.path.dirname(project), "STEP_%d.STP" % step_id)) as db:
        return db.execute(sql, args).fetchone()[0]


HIDDEN_LINES = "SELECT count(*) FROM TextRecipe WHERE Hide = 1"
hidden_before = step_file_value(1001, HIDDEN_LINES)
wait_for_name()
app = obj("/Application", "Quorvanta.Application")
check(props("/Application").Get("Quorvanta.Application", "Visible") == 0, "a hidden start has no window")
check(app.OpenProject(project) == 1, "OpenProject answers 1")
check(app.Processes() == "/Processes", "Processes is /Processes")
check(app.Options() == "/", "Options is none")

processes = obj("/Processes", "Quorvanta.QVProcesses")
process_paths = processes.Items()
check(len(process_paths) == props("/Processes").Get("", "Count") > 0, "Items lists every process")
ranges_seen, fields_seen, operations_seen = [], [], []
for process_path in process_paths:
    process_props = props(process_path).GetAll("Quorvanta.QVProcess")
    check("Name" in process_props and "Version" in process_props, "process %s has its properties" % process_path)
    for step_path in obj(process_path + "/Steps", "Quorvanta.QVSteps").Items():
        props(step_path).GetAll("Quorvanta.QVStep")
        for up_path in obj(step_path + "/UnitProcedures", "Quorvanta.QVUnitProcedures").Items():
            props(up_path).GetAll("Quorvanta.QVUnitProcedure")
            for op_path in obj(up_path + "/Operations", "Quorvanta.QVOperations").Items():
                operations_seen.append(op_path)
                props(op_path).GetAll("Quorvanta.QVOperation")
                for group_path in obj(op_path + "/Groups", "Quorvanta.QVGroups").Items():
                    for field_path in obj(group_path + "/Fields", "Quorvanta.QVFields").Items():
                        fields_seen.append(field_path)
                        props(field_path).GetAll("Quorvanta.QVField")
                        ranges_seen += obj(field_path + "/Ranges", "Quorvanta.QVRanges").Items()
check(len(operations_seen) > 0, "the walk reaches operations (%d)" % len(operations_seen))
check(len(fields_seen) > 0, "the walk reaches fields (%d)" % len(fields_seen))
print("ranges:", len(ranges_seen))

plans = obj("/ProductionPlans", "Quorvanta.QVProductionPlans")
plan_units = {}
for plan_path in plans.Items():
    plan = props(plan_path).GetAll("Quorvanta.QVProductionPlan")
    plan_units[str(plan["Name"])] = str(plan["OutputUOM"])
    check(obj(plan_path + "/LineItems", "Quorvanta.QVLineItems").Items() == [], "plan %s has no line items" % plan_path)
check(plan_units == {"Weekly": "SI", "Spare": ""}, "the plans with their unit sets, one without: %s" % plan_units)
# A plan with requirements runs them and its batches; a plan without any has nothing to run and
# raises. The plan's requirement run built the transitions of its process, which then runs too.
try:
    obj("/ProductionPlans/1", "Quorvanta.QVProductionPlan").Simulate(timeout=600)
    check(True, "a plan's Simulate runs its requirements and batches")
except dbus.DBusException as error:
    check(False, "a plan's Simulate: %s %s" % (error.get_dbus_name(), error.get_dbus_message()))
expect_error(lambda: obj("/ProductionPlans/2", "Quorvanta.QVProductionPlan").Simulate(),
             "Quorvanta.Error.Failed", "a plan without requirements: Simulate")
try:
    obj(process_paths[0], "Quorvanta.QVProcess").Simulate(timeout=600)
    check(True, "a process's Simulate runs once its transitions are built")
except dbus.DBusException as error:
    check(False, "a process's Simulate: %s %s" % (error.get_dbus_name(), error.get_dbus_message()))

# gdbus and busctl see the same objects.
gdbus = subprocess.run(["gdbus", "call", "--session", "--dest", NAME, "--object-path", "/Processes",
                        "--method", "org.freedesktop.DBus.Properties.Get", "Quorvanta.QVProcesses", "Count"],
                       capture_output=True, text=True)
check(gdbus.returncode == 0 and gdbus.stdout.strip() == "(<%d>,)" % len(process_paths),
      "gdbus reads Count: %s%s" % (gdbus.stdout.strip(), gdbus.stderr.strip()))
gdbus = subprocess.run(["gdbus", "call", "--session", "--dest", NAME, "--object-path", "/ProductionPlans",
                        "--method", "Quorvanta.QVProductionPlans.Items"], capture_output=True, text=True)
check(gdbus.returncode == 0 and "/ProductionPlans/1" in gdbus.stdout, "gdbus lists the plans: " + gdbus.stdout.strip())
tree = subprocess.run(["busctl", "--user", "tree", NAME], capture_output=True, text=True)
check(tree.returncode == 0 and "/ProductionPlans/2" in tree.stdout and operations_seen[0] in tree.stdout,
      "busctl tree shows the plans and operations" + tree.stderr.strip())

# Unit procedure and operation puts, and both Hide.
up_path = operations_seen[0].split("/Operations/")[0]
up_step, up_id = int(up_path.split("/")[4]), int(up_path.split("/")[-1])
props(up_path).Set("", "Comments", "Charge slowly.")
props(up_path).Set("", "Name", "Coupling by script")
check(props(up_path).Get("", "Name") == "Coupling by script", "the unit procedure's new name reads back")
hidden_op = operations_seen[1]
obj(hidden_op, "Quorvanta.QVOperation").Hide(True)
obj(up_path, "Quorvanta.QVUnitProcedure").Hide(True)
obj(up_path, "Quorvanta.QVUnitProcedure").Hide(False)
obj(hidden_op, "Quorvanta.QVOperation").Hide(True)

expect_error(lambda: props("/Processes/999999").GetAll(""), "org.freedesktop.DBus.Error.UnknownObject",
             "a path outside the tree")
expect_error(lambda: obj("/Application", "Quorvanta.Application").NoSuchMember(),
             "org.freedesktop.DBus.Error.UnknownMethod", "an unknown method")

# A field put: the value reaches the step database and the operation's recipe text.
field_path = None
for path in fields_seen:
    value = props(path).Get("", "dValue")
    if value != 1e35:
        field_path = path
        break
if field_path:
    step_id = int(field_path.split("/")[4])
    op_path = field_path.split("/Groups/")[0]
    op_id = int(op_path.split("/")[-1])
    if ranges_seen:
        props(ranges_seen[0]).Set("", "HiWidth", dbus.Int16(3))
        props(ranges_seen[0]).Set("", "LoUOM", "kg")
        check(props(ranges_seen[0]).Get("", "LoUOM") == "kg", "the range's unit reads back")
    new_value = float(props(field_path).Get("", "dValue")) + 1.5
    props(field_path).Set("", "dValue", dbus.Double(new_value))
    check(abs(props(field_path).Get("", "dValue") - new_value) < 1e-9, "the put reads back")
    check(app.SaveProject() is True or app.SaveProject() == 1, "SaveProject answers true")
    print("field", field_path, "step", step_id, "operation", op_id)


step_path = [p for p in obj(process_paths[0] + "/Steps", "Quorvanta.QVSteps").Items()][0]
step_id = int(step_path.split("/")[-1])
try:
    result = app.SimulateBatch(step_id, timeout=600)
    check(result == 1, "SimulateBatch answers 1")
except dbus.DBusException as error:
    check(error.get_dbus_name() in ("Quorvanta.Error.Failed", "Quorvanta.Error.NotAvailable"),
          "SimulateBatch fails by a program error: %s %s" % (error.get_dbus_name(), error.get_dbus_message()))

check(app.SaveProject() == 1, "SaveProject after the run")
app.CloseProject(True)
expect_error(lambda: props("/Processes").Get("", "Count"), "org.freedesktop.DBus.Error.UnknownObject",
             "the tree is gone after CloseProject(TRUE)")
check(app.OpenProject(project) == 1, "the saved project opens again")
check(obj("/Processes", "Quorvanta.QVProcesses").Items() == process_paths, "the same processes after the reopen")
check(props(up_path).Get("", "Name") == "Coupling by script", "the new unit procedure name was saved")
app.CloseProject(False)
expect_error(lambda: props("/Processes").Get("", "Count"), "org.freedesktop.DBus.Error.UnknownObject",
             "the tree is gone after CloseProject")
app.Quit()
check(proc.wait(timeout=60) == 0, "Quit ends the program with 0")
check(step_file_value(up_step, "SELECT UnitProcedureName || '|' || UserComments FROM UnitProcedure "
                      "WHERE UnitProcedureID = ?", (up_id,)) == "Coupling by script|Charge slowly.",
      "the unit procedure's name and comments are in the saved step file")
check(up_step != 1001 or step_file_value(1001, HIDDEN_LINES) == hidden_before + 1,
      "the saved step file hides the one operation, its unit procedure shown again")
print("PASS")
