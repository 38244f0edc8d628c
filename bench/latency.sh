#!/usr/bin/env bash
# Measures the start latency of a note through a real sound server: starts a
# private PulseAudio daemon with a null sink, runs the latency benchmark (which
# records the sink's monitor with parec and prints a table), stops the daemon.
# usage: bench/latency.sh [build-dir]      (default: build)
set -euo pipefail

build=${1:-build}
bench=$build/morvil_latency
[ -x "$bench" ] || { echo "no $bench: build the target morvil_latency first" >&2; exit 1; }

# A daemon of our own, also when run as root: its own HOME and runtime folder.
runtime=$(mktemp -d)
trap 'pulseaudio --kill 2>/dev/null || true; rm -rf "$runtime"' EXIT
export HOME=$runtime XDG_RUNTIME_DIR=$runtime
pulseaudio -D --system=false --exit-idle-time=-1 --disallow-exit -n \
    --load="module-null-sink sink_name=t rate=22050 channels=1 format=s16le" \
    --load="module-native-protocol-unix" 2>/dev/null
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink t

SDL_AUDIODRIVER=pulseaudio QT_QPA_PLATFORM=offscreen "$bench"
