#!/usr/bin/env bash
# vkr-query against tools/fake-server: the JSON it prints and its exit statuses.
set -euo pipefail
build=$1
query=$build/vkr-query
work=$(mktemp -d)
server_pid=
cleanup() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Three ports: a server with two players over two datagrams, one with a name and a quote in
# its reply, and one that never answers.
cat >"$work/script.json" <<'JSON'
{"servers": [
  {"replies": [{"datagrams": [
    {"tokens": ["hostname", "One", "gametype", "Island Raid", "numplayers", "2",
                "maxplayers", "12", "gstate", "14", "player_0", "Ann", "score_0", "5"]},
    {"tokens": ["player_1", "Bob", "score_1", "2", "final", "", "queryid", "1.2"]}]}]},
  {"replies": [{"raw": "\\gametype\\D\u00e9sert \"Storm\"\\numplayers\\0\\maxplayers\\x\\"}]},
  {"replies": [{"silent": true}]}
]}
JSON
mkfifo "$work/ready"
"$build/tools/fake-server" --count 3 --script "$work/script.json" --lifetime 60000 \
    --record "$work/record.txt" >"$work/ready" &
server_pid=$!
read -r word p1 p2 p3 <"$work/ready"
[ "$word" = ready ] || fail "fake-server did not start"

check() { # name, python expression over j (the JSON object) that must hold
    python3 -c '
import json, sys
j = json.loads(sys.stdin.read())
if not eval(sys.argv[1]):
    sys.exit("unexpected JSON: " + json.dumps(j))
' "$2" <"$work/$1.json" || fail "$1: $2"
}

"$query" 127.0.0.1 $((p1 - 1)) --timeout 500 >"$work/sockets.json" ||
    fail "sockets query exited with $?"
check sockets 'j == {"host": "127.0.0.1", "address": "127.0.0.1", "queryPort": '$p1',
    "ping": j["ping"], "players": "2/10", "mission": "Island Raid", "gstate": "14",
    "playerList": [{"name": "Ann", "score": "5"}, {"name": "Bob", "score": "2"}]}'
check sockets 'j["ping"].isdigit() and int(j["ping"]) < 500'

# A pasted trailing space: the request goes to 127.0.0.1, and so its reply is taken.
"$query" "127.0.0.1 " $((p1 - 1)) --timeout 500 >"$work/space.json" ||
    fail "query of '127.0.0.1 ' exited with $?"
check space 'j["address"] == "127.0.0.1" and j["players"] == "2/10"'

"$query" localhost $((p2 - 2)) --dplay --timeout 500 >"$work/dplay.json" ||
    fail "DirectPlay query exited with $?"
check dplay 'j["address"] == "127.0.0.1" and j["queryPort"] == '$p2
check dplay 'j["mission"] == "D\u00e9sert \"Storm\"" and j["players"] == "0/??"'
check dplay 'j["gstate"] is None and j["playerList"] == []'

status=0
"$query" 127.0.0.1 $((p3 - 1)) --timeout 300 >"$work/silent.json" || status=$?
[ "$status" = 2 ] || fail "a server that does not answer gave exit status $status"
check silent 'j["ping"] is None and j["players"] == " " and j["mission"] == " "'

# A host text with a character beyond the Basic Multilingual Plane comes back whole (the leading
# dot keeps the name from being looked up).
status=0
"$query" "$(printf '.\xf0\x9f\x8e\xae')" $((p3 - 1)) --timeout 100 >"$work/wide.json" || status=$?
[ "$status" = 2 ] || fail "a host that does not resolve gave exit status $status"
check wide 'j["host"] == ".\U0001F3AE"'

# The query went to the query port from the game port, as the 14-byte request.
grep -q "^$p1 127.0.0.1:[0-9]* 5c696e666f5c5c7374617475735c$" "$work/record.txt" ||
    fail "no status request recorded on port $p1"

for args in "" "127.0.0.1" "127.0.0.1 abc" "127.0.0.1 2302 --timeout" "127.0.0.1 2302 extra" \
    "127.0.0.1 2302 --bogus"; do
    status=0
    # shellcheck disable=SC2086
    "$query" $args >"$work/out" 2>"$work/err" || status=$?
    [ "$status" = 1 ] || fail "arguments '$args' gave exit status $status"
    grep -q '^usage: vkr-query HOST PORT' "$work/err" || fail "arguments '$args': no usage line"
    [ ! -s "$work/out" ] || fail "arguments '$args' printed on standard output"
done
echo "vkr-query: all checks passed"
