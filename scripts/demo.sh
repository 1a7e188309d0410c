#!/usr/bin/env bash
# Builds the module, the probe and the AWS emulator (release), starts the emulator with the demo
# account and runs the probe's demo against it: every check, every meta-scan, a sensor of each kind.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target probe vexa_aws aws-emulator

work="$(mktemp -d)"
build/release/tools/aws-emulator/aws-emulator --scenario tools/aws-emulator/scenarios/demo.json >"$work/url" &
emulator=$!
trap 'kill "$emulator" 2>/dev/null; rm -rf "$work"' EXIT

for _ in $(seq 100); do
    [[ -s "$work/url" ]] && break
    sleep 0.1
done
url="$(head -n 1 "$work/url")"
echo "AWS emulator listening on $url"

build/release/tools/probe/probe --endpoint "$url" --log-dir "$work/logs" demo \
    --access-key AKIDEXAMPLE --secret-key wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY
