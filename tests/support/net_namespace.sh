#!/usr/bin/env bash
# Runs a test program inside a network namespace of its own, so that its broadcasts never
# leave the machine: only lo and a veth pair, vkr-lan0 (10.213.0.1/24) and vkr-lan1
# (10.213.0.2/24), both with their broadcast address, 10.213.0.255.
# Exits 77 (skipped) with a message where no such namespace can be made.
set -u
if [ "${VKR_TEST_NAMESPACE:-}" != "1" ]; then
    for how in "--net" "--user --map-root-user --net"; do
        # shellcheck disable=SC2086
        if unshare $how true 2>/dev/null; then
            # shellcheck disable=SC2086
            exec unshare $how env VKR_TEST_NAMESPACE=1 bash "$0" "$@"
        fi
    done
    echo "SKIP: no network namespace can be made here (needs root or user namespaces)"
    exit 77
fi
if ! command -v ip >/dev/null; then
    echo "SKIP: the ip command (iproute2) is missing"
    exit 77
fi
ip link set lo up &&
    ip link add vkr-lan0 type veth peer name vkr-lan1 &&
    ip addr add 10.213.0.1/24 brd + dev vkr-lan0 &&
    ip addr add 10.213.0.2/24 brd + dev vkr-lan1 &&
    ip link set vkr-lan0 up &&
    ip link set vkr-lan1 up ||
    {
        echo "SKIP: the namespace's veth pair cannot be set up"
        exit 77
    }
exec "$@"
