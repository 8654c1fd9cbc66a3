#!/bin/sh
# The program itself, started without any display, refuses what it cannot do
# on its command line: its message in Russian on the standard error, nothing
# on the standard output, and status 2.
#
#   command_line_mistake.sh <teskora> <expected message> <arguments...>
program=$1
expected=$2
shift 2
out=$(mktemp)
err=$(mktemp)
trap 'rm -f "$out" "$err"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" >"$out" 2>"$err"
status=$?
fail=0
[ "$status" -eq 2 ] || { echo "status $status, not 2"; fail=1; }
[ ! -s "$out" ] || { echo "the standard output holds: $(cat "$out")"; fail=1; }
[ "$(cat "$err")" = "$expected" ] || { echo "the standard error holds: $(cat "$err")"; fail=1; }
exit $fail
