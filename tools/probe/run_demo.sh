#!/usr/bin/env bash
# Starts the AWS emulator with a scenario, runs the probe's demo against it and stops the emulator.
#   run_demo.sh EMULATOR PROBE SCENARIO [probe options...]
# VEXA_PROBE_RUNNER, when set, runs the probe (scripts/wine.sh for probe.exe).
set -euo pipefail

emulator_binary="$1" probe_binary="$2" scenario="$3"
shift 3

work="$(mktemp -d)"
"$emulator_binary" --scenario "$scenario" >"$work/url" &
emulator=$!
trap 'kill "$emulator" 2>/dev/null; wait "$emulator" 2>/dev/null; rm -rf "$work"' EXIT

for _ in $(seq 100); do
    [[ -s "$work/url" ]] && break
    sleep 0.1
done
url="$(head -n 1 "$work/url")"
echo "AWS emulator listening on $url"

${VEXA_PROBE_RUNNER:+"$VEXA_PROBE_RUNNER"} "$probe_binary" --endpoint "$url" --log-dir "$work/logs" "$@" demo \
    --access-key AKIDEXAMPLE --secret-key wJalrXUtnFEMI/K7MDENG+bPxRfiCYEXAMPLEKEY
