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

# Windows: the DLL cross-built with mingw-w64 and tested under Wine, with the full release suite only.
if [[ "$preset" == release && $# -eq 0 ]]; then
    ./scripts/test-windows.sh
fi
