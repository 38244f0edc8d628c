#!/usr/bin/env bash
# Builds Morvil warning-free and runs every test; then builds it again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit and window
# tests and the real sound output's test under them (installing and packaging are
# checked once, in the first build); then builds the sound output's, the sample
# player's and the recovery journal's tests with ThreadSanitizer and runs them, and
# runs the libFuzzer targets for a fixed number of inputs.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)

# The Release build the README's first command makes, but with Unix Makefiles
# (CMake's default generator) in a fresh folder, and the program alone first: a
# target's build dependencies must not rest on what a full build happens to build
# first.
rm -rf build-tests
cmake -S . -B build-tests -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Release -DMORVIL_WERROR=ON
cmake --build build-tests -j "$jobs" --target morvil
cmake --build build-tests -j "$jobs"
ctest --test-dir build-tests --output-on-failure -j "$jobs"

# The benchmarks were built above; their timings are never tests.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORVIL_WERROR=ON -DMORVIL_SANITIZE=ON \
    -DMORVIL_BENCHMARKS=OFF
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -LE 'e2e|install'

# Only the audio path and the journal have second threads: the callback against
# play() and stop(), the journal's writer against the window handing it changes.
thread_tests='tst_sdlsoundoutput|tst_sampleplayer|tst_recoveryjournal'
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORVIL_WERROR=ON -DMORVIL_THREAD_SANITIZER=ON \
    -DMORVIL_BENCHMARKS=OFF
cmake --build build-tsan -j "$jobs" --target ${thread_tests//|/ }
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tools/tsan.supp" \
    ctest --test-dir build-tsan --output-on-failure -R "^($thread_tests)\$"

tools/fuzz.sh check
