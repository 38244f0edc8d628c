#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz, then
#   tools/fuzz.sh check      runs each target's short, fixed-count test (tools/run-tests.sh does)
#   tools/fuzz.sh [inputs]   runs every target for that many inputs (default 10 000 000),
#                            inputs of at most 256 bytes, and prints inputs, time and crashes.
# A crashing input is kept as build-fuzz/fuzz/artifacts/<target>-crash-<hash>.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DMORVIL_FUZZ=ON \
    >/dev/null
cmake --build build-fuzz --target morvil_fuzz

if [ "${1:-}" = check ]; then
    exec ctest --test-dir build-fuzz -L fuzz --output-on-failure
fi

inputs=${1:-10000000}
mkdir -p build-fuzz/fuzz/artifacts
crashed=0
for target in build-fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] && [ -f "$target" ] || continue
    name=$(basename "$target")
    corpus=build-fuzz/fuzz/corpus/${name#fuzz_}
    seeds=fuzz/seeds/${name#fuzz_}
    mkdir -p "$corpus"
    log=build-fuzz/fuzz/$name.log
    status=0
    "$target" -runs="$inputs" -max_len=256 -artifact_prefix="build-fuzz/fuzz/artifacts/$name-" \
        "$corpus" $([ -d "$seeds" ] && echo "$seeds") >"$log" 2>&1 || status=$?
    done_line=$(grep -o 'Done [0-9]* runs in [0-9]* second(s)' "$log" || true)
    if [ "$status" -eq 0 ]; then
        echo "$name: ${done_line#Done }, 0 crashes"
    else
        crashed=1
        echo "$name: crashed (exit $status); see $log and the input in build-fuzz/fuzz/artifacts/"
    fi
done
exit "$crashed"
