#!/usr/bin/env bash
# Measures Morvil's start: from the start of the program to its window's first
# paint, and its resident memory once shown, median of 10 starts. Starts an X
# server and a PulseAudio daemon with a null sink of its own (the sound output is
# opened at start, as on a desktop), runs the start-up benchmark, stops both.
# usage: bench/startup.sh [build-dir] [starts]      (default: build, 10)
set -euo pipefail

build=${1:-build}
starts=${2:-10}
bench=$build/morvil_startup
[ -x "$bench" ] || { echo "no $bench: build the targets morvil and morvil_startup first" >&2; exit 1; }

scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
    pulseaudio --kill 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

# The server picks a free display and writes its number to the file.
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start:" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }

# A sound daemon of our own, also when run as root: its own HOME and runtime folder.
export HOME=$scratch XDG_RUNTIME_DIR=$scratch XDG_CONFIG_HOME=$scratch/config
pulseaudio -D --system=false --exit-idle-time=-1 --disallow-exit -n \
    --load="module-null-sink sink_name=t rate=22050 channels=1 format=s16le" \
    --load="module-native-protocol-unix" 2>/dev/null
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

unset XDG_CURRENT_DESKTOP QT_QPA_PLATFORMTHEME
DISPLAY=:$(cat "$scratch/display") QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=pulseaudio "$bench" "$build/morvil" "$starts"
