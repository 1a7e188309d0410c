#!/usr/bin/env bash
# Builds one preset (release by default) and runs the whole test suite with it.
#   scripts/test.sh [release|debug|asan|tsan] [extra ctest arguments...]
# The full run (the release preset without extra arguments, as CI runs it) then gives every fuzz
# target a short run on its corpus.
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-release}"
shift || true
jobs="$(nproc)"

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$jobs"
ctest --preset "$preset" -j "$jobs" "$@"

if [[ "$preset" == "release" && $# -eq 0 ]]; then
    ./scripts/fuzz.sh "${VEXA_FUZZ_SECONDS:-10}"
fi
