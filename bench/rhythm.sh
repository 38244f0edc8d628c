#!/usr/bin/env bash
# Measures how a replay keeps the recorded rhythm, at the sound and at the play()
# calls, and the processor time of the tick loops: starts an X server and a
# PulseAudio daemon with a null sink of its own, runs the rhythm benchmark (which
# records the sink's monitor and prints its tables), stops both. Takes about ten
# minutes; a shorter script for a trial: bench/rhythm.sh build --notes 20; the
# program's ticks alone: --clock-only.
# usage: bench/rhythm.sh [build-dir] [--notes N] [--clock-only]      (default: build, 100 notes)
set -euo pipefail

build=${1:-build}
shift || true
bench=$build/morvil_rhythm
[ -x "$bench" ] || { echo "no $bench: build the target morvil_rhythm first" >&2; exit 1; }

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/e2e/xserver.sh"
trap 'pulseaudio --kill 2>/dev/null || true; end_test' EXIT
source "$here/null-sink.sh" "$work"
pactl set-default-sink t

SDL_AUDIODRIVER=pulseaudio "$bench" "$@"
