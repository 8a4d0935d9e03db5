#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Run inside the check root under xvfb-run: starts the installed program on a page, opens the
# preview window (F11), which starts the browser engine, and checks that both windows appear and
# that the program and the engine are still running a few seconds later.
set -u
printf '<!DOCTYPE html>\n<html><body><h1>Installed</h1></body></html>\n' >/tmp/page.html
zorvane /tmp/page.html >/tmp/zorvane.log 2>&1 &
app=$!

fail() {
    echo "$1" >&2
    kill "$app" 2>/dev/null
    echo "--- output of zorvane:" >&2
    cat /tmp/zorvane.log >&2
    exit 1
}
# Waits up to 30 seconds for a window whose title starts with $1; prints its id.
wait_for_window() {
    for _ in $(seq 1 150); do
        sleep 0.2
        kill -0 "$app" 2>/dev/null || return 1
        id=$(xdotool search --name "^$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && echo "$id" && return 0
    done
    return 1
}
engine_running() {
    grep -qx 'QtWebEngineProc' /proc/[0-9]*/comm 2>/dev/null
}

main=$(wait_for_window 'Zorvane v1\.0') || fail "The main window did not appear."
echo "The main window is up."
xdotool windowfocus --sync "$main" key F11
wait_for_window 'Preview Window:' >/dev/null || fail "The preview window did not appear after F11."
echo "The preview window is up."
sleep 5
kill -0 "$app" 2>/dev/null || fail "zorvane quit on its own after opening the preview window."
engine_running || fail "The browser engine's process (QtWebEngineProcess) is not running."
echo "zorvane and its browser engine are still running 5 seconds later."
kill "$app"
wait "$app" 2>/dev/null
exit 0
