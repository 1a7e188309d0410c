#!/usr/bin/env bash
# The Windows half of the test command: cross-builds the DLL, probe.exe and the Windows tests with
# mingw-w64 (scripts/build-windows.sh) and runs them under Wine beside the Linux AWS emulator: the
# unit suites, the DLL's export table, the DLL driven through its exports (HTTP, HTTPS, proxy), the
# wire bytes against libcurl's, and the demo compared with the Linux demo.
#   scripts/test-windows.sh [extra ctest arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=2

# What the Windows tests run beside them on Linux (already built when scripts/test.sh calls this).
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs" --target aws-emulator probe vexa_aws awssdk_wire_send

./scripts/build-windows.sh

# One Wine server for the whole run: a program that finds none starts its own, which takes seconds.
# Wine's background services start with the first program and live as long as the server; they are
# started here with their output going nowhere, or they would hold a test's output open.
export WINEPREFIX="$PWD/build/windows/wine"
./scripts/wine.sh cmd /c exit >/dev/null 2>&1 || true  # makes the prefix on first use
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
"$wineserver" -w
"$wineserver" -p
trap '"$wineserver" -k 2>/dev/null || true' EXIT
./scripts/wine.sh cmd /c exit >/dev/null 2>&1 || true
ctest --test-dir build/windows --output-on-failure -j "$jobs" "$@"
