#!/usr/bin/env bash
# Starts the real launcher on a virtual X display with demo settings, waits for its main window
# to be drawn, saves a screenshot and checks the program is still running.
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
if ! command -v xvfb-run >/dev/null; then
    echo "xvfb-run is missing: real-window smoke test skipped"
    exit 0
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/scripts/make-demo" "$work/demo" "$build"
mkdir -p "$build/screenshots"
shot="$build/screenshots/main-window-xvfb.png"
rm -f "$shot"
export XDG_CONFIG_HOME="$work/demo/config"
# A runtime folder of its own, so that a launcher running elsewhere on this machine is not
# taken for this one.
mkdir -m 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run"
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 800x600x24" bash -c '
    "$1/vkr-launcher" &
    pid=$!
    "$1/tools/grab-screen" "$2" 20
    sleep 1
    if ! kill -0 $pid 2>/dev/null; then echo "the launcher ended by itself"; exit 1; fi
    kill $pid
    wait $pid || true
' smoke "$build" "$shot"
test -s "$shot"
echo "screenshot: $shot"
