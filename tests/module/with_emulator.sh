#!/usr/bin/env bash
# Starts the AWS emulator over HTTP and over HTTPS (its self-signed certificate) and tinyproxy with
# basic authentication (user vexa, password pr0xy-pass) on loopback, runs the command with
# VEXA_TEST_ENDPOINT, VEXA_TEST_TLS_ENDPOINT and VEXA_TEST_PROXY_PORT set, and stops them.
# The proxy listens on 127.0.0.2: Wine's WinHTTP sends a proxy the short request form when the proxy
# and the server have the same name.
#   with_emulator.sh EMULATOR SCENARIO COMMAND [ARGS...]
set -euo pipefail
emulator="$1" scenario="$2"
shift 2

work="$(mktemp -d)"
children=()
stop() {
    for child in "${children[@]}"; do
        kill "$child" 2>/dev/null || true
        wait "$child" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap stop EXIT

first_line() {
    for _ in $(seq 100); do
        [[ -s "$1" ]] && head -n 1 "$1" && return 0
        sleep 0.1
    done
    echo "with_emulator.sh: nothing in $1" >&2
    return 1
}

"$emulator" --scenario "$scenario" >"$work/http" &
children+=($!)
"$emulator" --scenario "$scenario" --tls >"$work/tls" &
children+=($!)
VEXA_TEST_ENDPOINT="$(first_line "$work/http")"
VEXA_TEST_TLS_ENDPOINT="$(first_line "$work/tls")"

VEXA_TEST_PROXY_PORT="$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.2", 0)); print(s.getsockname()[1])')"
cat >"$work/tinyproxy.conf" <<CONF
Port $VEXA_TEST_PROXY_PORT
Listen 127.0.0.2
Timeout 10
Allow 127.0.0.0/8
BasicAuth vexa pr0xy-pass
LogLevel Critical
MaxClients 10
CONF
tinyproxy -d -c "$work/tinyproxy.conf" &
children+=($!)
for _ in $(seq 100); do
    (exec 3<>"/dev/tcp/127.0.0.2/$VEXA_TEST_PROXY_PORT") 2>/dev/null && break
    sleep 0.1
done

export VEXA_TEST_ENDPOINT VEXA_TEST_TLS_ENDPOINT VEXA_TEST_PROXY_PORT
"$@"
