#!/usr/bin/env bash
# Builds the module, the probe and the AWS emulator (release), starts the emulator with the demo
# account and runs the probe's demo against it: every check, every meta-scan, a sensor of each kind,
# and what monitoring the account costs a month.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target probe vexa_aws aws-emulator

exec tools/probe/run_demo.sh build/release/tools/aws-emulator/aws-emulator build/release/tools/probe/probe \
    tools/aws-emulator/scenarios/demo.json
