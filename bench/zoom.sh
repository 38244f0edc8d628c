#!/usr/bin/env bash
# Measures one zoom step, from the Ctrl+Numpad key press to the window drawn
# again: starts an X server (the end-to-end tests' harness), runs the zoom
# benchmark in it, stops the server.
# usage: bench/zoom.sh [build-dir]      (default: build)
set -euo pipefail

build=${1:-build}
bench=$build/morvil_zoom
[ -x "$bench" ] || { echo "no $bench: build the target morvil_zoom first" >&2; exit 1; }

here=$(cd "$(dirname "$0")" && pwd)
screen_size=1280x1024
source "$here/../tests/e2e/xserver.sh"

"$bench"
