#!/usr/bin/env bash
# Builds one preset (release by default) and runs the whole test suite with it.
#   scripts/test.sh [release|debug|asan|tsan] [extra ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-release}"
shift || true
jobs="$(nproc)"

cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$jobs"
ctest --preset "$preset" -j "$jobs" "$@"

# The full run (release, no extra arguments, as CI runs it) goes on with a short run of every fuzz
# target on its corpus, and with the Windows DLL cross-built with mingw-w64 and tested under Wine.
if [[ "$preset" == release && $# -eq 0 ]]; then
    ./scripts/fuzz.sh "${VEXA_FUZZ_SECONDS:-10}"
    ./scripts/test-windows.sh
fi
