#!/usr/bin/env bash
# The demo's servers (scripts/demo-servers.json run by tools/fake-server), asked through
# vkr-query at the start of the demo and later (the last server has a new game every minute,
# half a minute in): what the browser and the watcher show of them, and that the demo settings
# list one server for each of them.
set -euo pipefail
build=$1
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
server_pid=
stop_server() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
        server_pid=
    fi
}
trap 'stop_server; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Seconds into the demo | server (1 = first in the script) | players | mission | gstate | names
# "silent" in the players column: the server must not answer.
rows=(
    "0|1|6/12|Island Raid|14|Ann,Bob,Kestrel,Mira,Orvo,Tuuli"
    "0|2|3/8|Coastal Assault|6|Harri,Ilse,Jaro"
    "0|3|0/10|Nightfall|2|"
    "0|4|silent"
    "0|5|4/10|Harbour Siege|14|Tervald,Lumi,Pekko,Vieno"
    "29|5|4/10|Harbour Siege|14|Tervald,Lumi,Pekko,Vieno"
    "31|5|4/10|Harbour Siege|2|Tervald,Lumi,Pekko,Vieno"
    "31|1|6/12|Island Raid|14|Ann,Bob,Kestrel,Mira,Orvo,Tuuli"
    "31|4|silent"
    "61|5|4/10|Harbour Siege|14|Tervald,Lumi,Pekko,Vieno"
)

# The demo settings hold as many servers as the script answers for.
"$root/scripts/make-demo" "$work/demo" "$build" >"$work/ports"
read -ra demo_ports <"$work/ports"
servers=$(grep -c '"replies"' "$root/scripts/demo-servers.json")
[ "${#demo_ports[@]}" = "$servers" ] ||
    fail "the demo settings list ${#demo_ports[@]} servers, the script answers for $servers"
[ "$(grep -c '^"port"=' "$work/demo/config/vkr-launcher/registry.reg")" = "$servers" ] ||
    fail "the demo settings do not hold one server entry per query port"

started_at=
start_server() { # seconds into the demo
    stop_server
    rm -f "$work/ready"
    mkfifo "$work/ready"
    "$build/tools/fake-server" --count "$servers" --script "$root/scripts/demo-servers.json" \
        --start-at $(($1 * 1000)) --lifetime 60000 >"$work/ready" &
    server_pid=$!
    read -ra ready <"$work/ready"
    [ "${ready[0]}" = ready ] || fail "fake-server did not start"
    started_at=$1
}

# Each row's reply (or the exit status of a query that got none) goes to a file, and one
# run of python3 checks them all.
n=0
for row in "${rows[@]}"; do
    IFS='|' read -r at server players _ <<<"$row"
    [ "$started_at" = "$at" ] || start_server "$at"
    n=$((n + 1))
    # A reply ends the wait at once; only the silent server waits the whole time.
    timeout=5000
    [ "$players" != silent ] || timeout=500
    status=0
    "$build/vkr-query" 127.0.0.1 $((ready[server] - 1)) --timeout $timeout >"$work/$n.json" ||
        status=$?
    echo "$status" >"$work/$n.status"
done
python3 - "$work" "${rows[@]}" <<'PY' || fail "the demo servers' replies"
import json, sys
work, rows = sys.argv[1], sys.argv[2:]
failed = False
for n, row in enumerate(rows, 1):
    at, server, *expected = row.split("|")
    status = open(f"{work}/{n}.status").read().strip()
    if expected == ["silent"]:
        got = "silent" if status == "2" else "exit status " + status
        want = "silent"
    else:
        j = json.load(open(f"{work}/{n}.json")) if status == "0" else {}
        got = [j.get("players"), j.get("mission"), j.get("gstate"),
               ",".join(p["name"] for p in j.get("playerList", []))]
        want = expected
    if got != want:
        print(f"server {server} at {at}s: expected {want}, got {got}", file=sys.stderr)
        failed = True
sys.exit(failed)
PY
echo "demo servers: all checks passed"
