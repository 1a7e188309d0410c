#!/usr/bin/env bash
# Runs a Windows program under Wine: no display, no prompts, no Wine chatter, in the build tree's own
# Wine prefix (made on first use).
#   scripts/wine.sh PROGRAM.exe [arguments...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

export WINEPREFIX="${WINEPREFIX:-$root/build/windows/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko: nothing here needs .NET or a browser engine, and their installers would ask.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
unset DISPLAY WAYLAND_DISPLAY

wine="$(command -v wine64 || true)"
[[ -n "$wine" ]] || wine=/usr/lib/wine/wine64

if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Tests may start in parallel; one of them makes the prefix.
    (
        flock 9
        if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
            "$wine" wineboot -i >/dev/null 2>&1 || true
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
