#!/usr/bin/env bash
# Starts the AWS emulator with the demo account in the background and prints the shell lines that point
# the probe (and any AWS SDK) at it, with the demo account's credentials:
#   eval "$(./scripts/demo-emulator.sh)"      ...      kill "$VEXA_EMULATOR_PID"
# Builds the module, the probe and the emulator first (release), unless VEXA_BUILD_DIR names a build
# that has them already.
set -euo pipefail
cd "$(dirname "$0")/.."

build="${VEXA_BUILD_DIR:-}"
if [[ -z "$build" ]]; then
    build=build/release
    cmake --preset release >/dev/null
    cmake --build --preset release -j "$(nproc)" --target probe vexa_aws aws-emulator >&2
fi
scenario=tools/aws-emulator/scenarios/demo.json

url_file="$(mktemp)"
trap 'rm -f "$url_file"' EXIT
"$build/tools/aws-emulator/aws-emulator" --scenario "$scenario" >"$url_file" 2>/dev/null </dev/null &
pid=$!
for _ in $(seq 100); do
    [[ -s "$url_file" ]] && break
    kill -0 "$pid" 2>/dev/null || { echo "demo-emulator: the emulator did not start" >&2; exit 1; }
    sleep 0.1
done
url="$(head -n 1 "$url_file")"
read -r key secret < <(python3 -c 'import json, sys
c = json.load(open(sys.argv[1]))["accounts"][0]["credentials"][0]
print(c["access_key"], c["secret_key"])' "$scenario")

echo "export AWS_ENDPOINT_URL='$url' AWS_ACCESS_KEY_ID='$key' AWS_SECRET_ACCESS_KEY='$secret' VEXA_EMULATOR_PID=$pid"
echo "demo-emulator: the demo account answers at $url (process $pid); stop it with: kill \$VEXA_EMULATOR_PID" >&2
