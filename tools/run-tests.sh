#!/usr/bin/env bash
# Builds Morvil warning-free and runs every test; then builds it again with
# AddressSanitizer and UndefinedBehaviorSanitizer and runs the unit and window
# tests and the real sound output's test under them (installing and packaging are
# checked once, in the first build); then builds the sound output's and the sample
# player's tests with ThreadSanitizer and runs them, and runs the libFuzzer targets
# for a fixed number of inputs. First it checks that the program builds alone with
# CMake's default generator.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)

# A target's build dependencies must not rest on what a full build happens to build
# first: the program alone, with Unix Makefiles, in a fresh folder (no build type,
# which compiles fastest).
rm -rf build-alone
cmake -S . -B build-alone -G "Unix Makefiles" -DMORVIL_WERROR=ON >/dev/null
cmake --build build-alone -j "$jobs" --target morvil
rm -rf build-alone

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMORVIL_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORVIL_WERROR=ON -DMORVIL_SANITIZE=ON
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$jobs" -LE 'e2e|install'

# Only the audio path has a second thread: the callback against play() and stop().
thread_tests='tst_sdlsoundoutput|tst_sampleplayer'
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DMORVIL_WERROR=ON -DMORVIL_THREAD_SANITIZER=ON
cmake --build build-tsan -j "$jobs" --target ${thread_tests//|/ }
TSAN_OPTIONS="halt_on_error=1 suppressions=$PWD/tools/tsan.supp" \
    ctest --test-dir build-tsan --output-on-failure -R "^($thread_tests)\$"

tools/fuzz.sh check
