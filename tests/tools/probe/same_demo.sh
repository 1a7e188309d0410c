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

# Apart from the emulator's port, only channel values may differ: the emulator's datapoints follow its
# clock, which moves between the two runs. Every other character (rows, names, units, lookup texts,
# messages) must be the same.
tables() {
    grep -v '^AWS emulator listening on ' "$1" | tr -d '\r' |
        sed -E 's/^( +[0-9]+  .*[^ ] +)-?[0-9][0-9.e+-]*( |$)/\1<value>\2/'
}
tables "$work/linux" >"$work/linux.tables"
tables "$work/windows" >"$work/windows.tables"
diff -u "$work/linux.tables" "$work/windows.tables"
echo "probe.exe under Wine: $(wc -l <"$work/windows.tables") lines, the same as on Linux"
tail -n 1 "$work/windows.tables"
