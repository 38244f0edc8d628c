# Sourced by the end-to-end tests: a scratch folder, failure counting, and an X
# server of the test's own (1024 x 768 unless $screen_size says otherwise), with
# everything stopped and removed on exit; starting Morvil, reading the screen.
# Sets: work, failures, DISPLAY, and the morvil_pid the test fills in.

source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"

# The server picks a free display and writes its number to the file. Without
# -noreset it would drop a layout set by setxkbmap as soon as setxkbmap exits.
Xvfb -displayfd 3 -noreset -screen 0 "${screen_size:-1024x768}x24" 3>"$work/display" 2>"$work/xvfb.log" &
stop_on_exit $!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=:$(cat "$work/display")

# Qt's own look, no desktop integration; no stored settings or journals from the user.
export QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state
unset XDG_CURRENT_DESKTOP QT_QPA_PLATFORMTHEME

# Starts the program given as $morvil with the given arguments and waits for its window:
# sets morvil_pid and window.
start_morvil() {
    "$morvil" "$@" >"$work/morvil.log" 2>&1 &
    morvil_pid=$!
    window=
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --pid "$morvil_pid" 2>/dev/null | head -n 1)
        [ -n "$window" ] && return 0
        sleep 0.1
    done
    echo "morvil showed no window"
    cat "$work/morvil.log"
    exit 1
}

# Waits up to five seconds for the program to end.
ended() {
    for _ in $(seq 50); do
        kill -0 "$morvil_pid" 2>/dev/null || return 0
        sleep 0.1
    done
    return 1
}

# click_at <x> <y> <button>: a click at a screen point. With --sync xdotool waits
# for the pointer to move, so a move to where the pointer already is would wait
# out its 15 s timeout: the pointer steps beside the point first.
click_at() {
    xdotool mousemove --sync $(($1 + 1)) "$2" mousemove --sync "$1" "$2" click "$3"
}

# There is no window manager: each window gets the focus before it is typed into.
# A window is found by the start of its title as desktops show it (_NET_WM_NAME):
# xdotool search matches the legacy WM_NAME, which Qt garbles beyond ASCII in a C locale.
focus_titled() { # title
    local candidate
    for _ in $(seq 100); do
        for candidate in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
            [[ $(xdotool getwindowname "$candidate") == "$1"* ]] && { xdotool windowfocus --sync "$candidate"; return; }
        done
        sleep 0.1
    done
    return 1
}

# Waits up to five seconds for a file to appear.
appears() {
    for _ in $(seq 50); do
        [ -e "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# The colour of one screen pixel as RRGGBB.
pixel() {
    import -window root -crop "1x1+$1+$2" -depth 8 txt:- | tail -n 1 | grep -o '#[0-9A-F]\{6\}' | tr -d '#'
}
