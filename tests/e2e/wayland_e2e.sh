#!/bin/bash
# Morvil on a Wayland desktop, in weston's headless compositor with XWayland: as a
# Wayland session starts it (Qt's Wayland platform installed, nothing chosen) it
# runs through XWayland, its window an X11 window of 375 x 154 drawn by itself;
# told to run on Wayland, or with no XWayland about, it runs there natively.
# usage: wayland_e2e.sh <morvil program>
set -uo pipefail

morvil=$1
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"

mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime XDG_SESSION_TYPE=wayland XDG_CONFIG_HOME=$work/config
export WAYLAND_DISPLAY=morvil-e2e SDL_AUDIODRIVER=disk
unset QT_QPA_PLATFORM DISPLAY XDG_CURRENT_DESKTOP QT_QPA_PLATFORMTHEME
weston --backend=headless-backend.so --socket="$WAYLAND_DISPLAY" --xwayland --idle-time=0 >"$work/weston.log" 2>&1 &
stop_on_exit $!
for _ in $(seq 100); do
    grep -q 'xserver listening on display' "$work/weston.log" && break
    sleep 0.1
done
x_display=$(grep -o 'xserver listening on display :[0-9]*' "$work/weston.log" | grep -o ':[0-9]*$')
[ -n "$x_display" ] || { echo "weston started no XWayland"; cat "$work/weston.log"; exit 1; }

# Starts Morvil with the given environment; it is up once its sound output is open.
start() { # capture file, then VAR=value...
    local capture=$1
    shift
    env SDL_DISKAUDIOFILE="$capture" "$@" "$morvil" >"$work/morvil.log" 2>&1 &
    morvil_pid=$!
    for _ in $(seq 100); do
        [ -s "$capture" ] && return 0
        sleep 0.1
    done
    fail "Morvil did not start with $*"
    cat "$work/morvil.log"
    return 1
}

x_windows() {
    DISPLAY=$x_display xdotool search --onlyvisible --pid "$morvil_pid" 2>/dev/null
}

start "$work/xwayland.raw" DISPLAY="$x_display"
window=
for _ in $(seq 50); do
    window=$(x_windows | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    fail "on a Wayland desktop with XWayland Morvil showed no X11 window"
else
    size=$(DISPLAY=$x_display xdotool getwindowgeometry "$window" | grep -o '[0-9]*x[0-9]*')
    [ "$size" = 375x154 ] || fail "through XWayland the window is $size"
fi
kill "$morvil_pid"
wait "$morvil_pid" 2>/dev/null

for native in "DISPLAY=$x_display QT_QPA_PLATFORM=wayland" "QT_QPA_PLATFORM="; do
    # shellcheck disable=SC2086
    start "$work/native.raw" $native || continue
    sleep 1
    kill -0 "$morvil_pid" 2>/dev/null || fail "with $native Morvil ended: $(cat "$work/morvil.log")"
    [ -z "$(x_windows)" ] || fail "with $native Morvil ran through XWayland"
    kill "$morvil_pid"
    wait "$morvil_pid" 2>/dev/null
    rm -f "$work/native.raw"
done

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed; weston wrote:"
    tail -20 "$work/weston.log"
    exit 1
fi
echo "Wayland checks passed"
