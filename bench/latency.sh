#!/usr/bin/env bash
# Measures the start latency of a note through a real sound server: starts a
# private PulseAudio daemon with a null sink, runs the latency benchmark (which
# records the sink's monitor with parec and prints a table), stops the daemon.
# usage: bench/latency.sh [build-dir]      (default: build)
set -euo pipefail

build=${1:-build}
bench=$build/morvil_latency
[ -x "$bench" ] || { echo "no $bench: build the target morvil_latency first" >&2; exit 1; }

runtime=$(mktemp -d)
trap 'pulseaudio --kill 2>/dev/null || true; rm -rf "$runtime"' EXIT
source "$(dirname "$0")/null-sink.sh" "$runtime"
pactl set-default-sink t

SDL_AUDIODRIVER=pulseaudio QT_QPA_PLATFORM=offscreen "$bench"
