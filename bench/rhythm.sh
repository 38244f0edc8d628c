#!/usr/bin/env bash
# Measures how a replay keeps the recorded rhythm, and the processor time of the
# tick loops: starts an X server of its own, runs the rhythm benchmark in it
# (which prints its tables), stops the server. Takes about ten minutes; a
# shorter script for a trial: bench/rhythm.sh build --notes 20.
# usage: bench/rhythm.sh [build-dir] [--notes N]      (default: build, 100 notes)
set -euo pipefail

build=${1:-build}
shift || true
bench=$build/morvil_rhythm
[ -x "$bench" ] || { echo "no $bench: build the target morvil_rhythm first" >&2; exit 1; }

# The server picks a free display and writes its number to the file.
scratch=$(mktemp -d)
xvfb_pid=
cleanup() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { echo "Xvfb did not start:" >&2; cat "$scratch/xvfb.log" >&2; exit 1; }

# Qt's own dialogs and no desktop integration: the bench sees what the program does.
unset XDG_CURRENT_DESKTOP QT_QPA_PLATFORMTHEME
DISPLAY=:$(cat "$scratch/display") QT_QPA_PLATFORM=xcb "$bench" "$@"
