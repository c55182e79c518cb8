#!/usr/bin/env bash
# Runs a command on a virtual X display of its own (Xvfb) with a window manager (openbox), where
# windows are activated and reactivated as on a desktop. Exits 77 (skipped) when either is missing.
set -euo pipefail
for tool in Xvfb openbox; do
    if ! command -v "$tool" >/dev/null; then
        echo "$tool is missing (scripts/setup installs it): real-display test skipped"
        exit 77
    fi
done
work=$(mktemp -d)
xvfb=""
wm=""
cleanup() {
    [ -n "$wm" ] && kill "$wm" 2>/dev/null && wait "$wm" 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
# The server picks a free display number itself and writes it to the pipe, so test runs on the
# same machine never collide.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
read -r -t 30 number <"$work/display" || {
    echo "Xvfb did not start"
    cat "$work/xvfb.log"
    exit 1
}
export DISPLAY=":$number"
openbox --sm-disable --startup "touch $work/wm-ready" >"$work/openbox.log" 2>&1 &
wm=$!
for _ in $(seq 300); do
    [ -e "$work/wm-ready" ] && break
    sleep 0.1
done
if [ ! -e "$work/wm-ready" ]; then
    echo "openbox did not start"
    cat "$work/openbox.log"
    exit 1
fi
export QT_QPA_PLATFORM=xcb
"$@"
