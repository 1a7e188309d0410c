#!/usr/bin/env bash
# Builds every fuzz target with libFuzzer (clang, AddressSanitizer + UndefinedBehaviorSanitizer) and
# runs each for SECONDS (default 60) on a copy of its corpus in tests/fuzz/corpus.
#   scripts/fuzz.sh [SECONDS] [--merge]
# --merge adds the inputs that reached new code back to the repository's corpus (minimised).
# A crash stops the run; its input is left in build/fuzz/findings/<target>/ to become a corpus file
# and a regression test.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
merge="${2:-}"
targets=(fuzz_settings_buffer fuzz_exports fuzz_sdk_responses fuzz_http_response fuzz_sigv4 fuzz_messages fuzz_scenario)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]}"

for target in "${targets[@]}"; do
    # Absolute: a target may change its working folder (fuzz_exports catches the SDK's trace log there).
    corpus="$PWD/tests/fuzz/corpus/$target"
    work="$PWD/build/fuzz/work/$target"
    findings="$PWD/build/fuzz/findings/$target"
    mkdir -p "$work" "$findings"
    cp -n "$corpus"/* "$work"/ 2>/dev/null || true
    echo "== $target: ${seconds}s on $(ls "$work" | wc -l) inputs"
    # -timeout: one input that takes longer than this is a hang, and a hang is a finding.
    log="build/fuzz/$target.log"
    status=0
    "build/fuzz/tests/fuzz/$target" "$work" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1 || status=$?
    grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb)' "$log" || true
    if ((status != 0)) || compgen -G "$findings/*" >/dev/null; then
        tail -n 60 "$log" >&2
        echo "$target: finding in $findings (full log: $log)" >&2
        exit 1
    fi
    echo "corpus: $(ls "$work" | wc -l) inputs"
    if [[ "$merge" == "--merge" ]]; then
        "build/fuzz/tests/fuzz/$target" -merge=1 "$corpus" "$work" >/dev/null 2>&1
    fi
done
