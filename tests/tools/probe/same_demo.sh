#!/usr/bin/env bash
# The demo twice against the same emulator scenario: the Linux probe with the Linux module, then
# probe.exe with the DLL under Wine. Both must succeed and print the same tables.
#   same_demo.sh EMULATOR LINUX_PROBE WINE WINDOWS_PROBE SCENARIO
set -euo pipefail
emulator="$1" linux_probe="$2" wine="$3" windows_probe="$4" scenario="$5"
run_demo="$(cd "$(dirname "$0")/../../.." && pwd)/tools/probe/run_demo.sh"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$run_demo" "$emulator" "$linux_probe" "$scenario" >"$work/linux"
VEXA_PROBE_RUNNER="$wine" "$run_demo" "$emulator" "$windows_probe" "$scenario" >"$work/windows"

# The emulator's port is the only line that may differ.
grep -v '^AWS emulator listening on ' "$work/linux" >"$work/linux.tables"
grep -v '^AWS emulator listening on ' "$work/windows" | tr -d '\r' >"$work/windows.tables"
diff -u "$work/linux.tables" "$work/windows.tables"
echo "probe.exe under Wine: $(wc -l <"$work/windows.tables") lines, the same as on Linux"
tail -n 1 "$work/windows.tables"
