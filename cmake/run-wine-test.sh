#!/usr/bin/env bash
# Runs a Windows test program under Wine with its output in a file. Processes that Wine starts on
# the side (its services, the desktop, console hosts) inherit the output handles and outlive the
# test; a pipe they hold would keep CTest waiting long after the test has ended.
#   run-wine-test.sh <wine loader> <program> [arguments...]
loader=$1
shift
log=$(mktemp)
"$loader" "$@" >"$log" 2>&1 </dev/null
rc=$?
cat "$log"
rm -f "$log"
exit $rc
