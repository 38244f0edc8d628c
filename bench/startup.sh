#!/usr/bin/env bash
# Measures Morvil's start: from the start of the program to its window's first
# paint, and its resident memory once shown, median of 10 starts. Starts an X
# server (the end-to-end tests' harness) and a PulseAudio daemon with a null sink
# of its own (the sound output is opened at start, as on a desktop), runs the
# start-up benchmark, stops both.
# usage: bench/startup.sh [build-dir] [starts]      (default: build, 10)
set -euo pipefail

build=${1:-build}
starts=${2:-10}
bench=$build/morvil_startup
[ -x "$bench" ] || { echo "no $bench: build the targets morvil and morvil_startup first" >&2; exit 1; }

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/e2e/xserver.sh"
trap 'pulseaudio --kill 2>/dev/null || true; end_test' EXIT

source "$here/null-sink.sh" "$work"

SDL_AUDIODRIVER=pulseaudio "$bench" "$build/morvil" "$starts"
