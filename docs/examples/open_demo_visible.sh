#!/usr/bin/env bash
# The same script with gdbus: open the sample project, show the window, simulate step 1001, quit.
#   open_demo_visible.sh <quorvanta program> <Demo.prj>
set -euo pipefail
program="$1" project="$2"
"$program" -Automation &
call() { gdbus call --session --dest Quorvanta.Application "$@"; }
until gdbus introspect --session --dest Quorvanta.Application --object-path /Application >/dev/null 2>&1; do
    sleep 0.2
done
call --object-path /Application --method Quorvanta.Application.OpenProject "$project"
call --object-path /Application --method org.freedesktop.DBus.Properties.Set \
    Quorvanta.Application Visible '<1>'
call --timeout 3600 --object-path /Application --method Quorvanta.Application.SimulateBatch 1001
call --object-path /Application --method Quorvanta.Application.CloseProject false
call --object-path /Application --method Quorvanta.Application.Quit
wait
