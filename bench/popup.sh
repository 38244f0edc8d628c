#!/usr/bin/env bash
# Times the popup menu: starts an X server of its own, runs the popup benchmark in
# it (which prints its figures), stops the server.
# usage: bench/popup.sh [build-dir]      (default: build)
set -euo pipefail

build=${1:-build}
bench=$build/morvil_popup
[ -x "$bench" ] || { echo "no $bench: build the target morvil_popup first" >&2; exit 1; }

here=$(cd "$(dirname "$0")" && pwd)
source "$here/../tests/e2e/xserver.sh"
SDL_AUDIODRIVER=dummy "$bench"
