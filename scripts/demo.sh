#!/usr/bin/env bash
# Builds the module and the probe (release) and runs the demo through the probe.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target probe vexa_aws
exec build/release/tools/probe/probe info
