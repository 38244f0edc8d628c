#!/usr/bin/env bash
# Measures the start latency of a note, from the X key event to its first frame
# at a null sink, through each sound server in turn: a PulseAudio daemon of its
# own, then a PipeWire of its own through its PulseAudio emulation and through
# SDL's own PipeWire driver. Starts an X server, runs the latency benchmark once
# for each (it records the sink's monitor with parec and prints a table), stops
# them all.
# usage: bench/latency.sh [build-dir] [--servers LIST] [--notes N] [--sweep | OUTPUT...]
#   LIST: comma-separated of pulseaudio, pipewire-pulse (SDL's pulseaudio driver on
#         PipeWire), pipewire (the driver Morvil chooses there itself: SDL's pipewire
#         driver); default: all three
#   OUTPUT: as morvil_latency takes them; default: the program's stream and a stream
#         opened per sound with its period, and (PulseAudio) the stream with the
#         recovery journal
#   --sweep: the program's stream with periods of 32, 64, 128 and 256 frames and
#         margins of 0.5, 1, 1.5, 2 and 3 ms, 100 notes each (half a minute played,
#         half a minute replayed)
set -euo pipefail

build=${1:-build}
shift || true
bench=$build/morvil_latency
[ -x "$bench" ] || { echo "no $bench: build the target morvil_latency first" >&2; exit 1; }
here=$(cd "$(dirname "$0")" && pwd)

servers=pulseaudio,pipewire-pulse,pipewire
options=()
outputs=()
while [ $# -gt 0 ]; do
    case $1 in
    --servers) servers=$2; shift ;;
    --notes) options+=(--notes "$2"); shift ;;
    --sweep)
        options+=(--notes 100)
        for period in 32 64 128 256; do
            for margin in 0.5 1 1.5 2 3; do outputs+=("stream:$period:$margin"); done
        done ;;
    *) outputs+=("$1") ;;
    esac
    shift
done

source "$here/../tests/e2e/xserver.sh"

for server in ${servers//,/ }; do
    chosen=("${outputs[@]}")
    echo "== $server"
    case $server in
    pulseaudio)
        [ ${#chosen[@]} -gt 0 ] || chosen=(stream stream:journal per-sound)
        (
            mkdir -m 700 "$work/pulseaudio"
            trap 'pulseaudio --kill 2>/dev/null || true' EXIT
            source "$here/null-sink.sh" "$work/pulseaudio"
            pactl set-default-sink t
            SDL_AUDIODRIVER=pulseaudio "$bench" "${options[@]}" "${chosen[@]}"
        ) ;;
    pipewire-pulse | pipewire)
        [ ${#chosen[@]} -gt 0 ] || chosen=(stream per-sound)
        (
            mkdir -m 700 "$work/$server"
            trap 'stop_pipewire' EXIT
            source "$here/pipewire-null-sink.sh" "$work/$server"
            unset SDL_AUDIODRIVER
            [ "$server" = pipewire-pulse ] && export SDL_AUDIODRIVER=pulseaudio
            "$bench" "${options[@]}" "${chosen[@]}"
        ) ;;
    *) echo "unknown sound server $server" >&2; exit 1 ;;
    esac
done
