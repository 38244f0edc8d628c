#!/bin/bash
# Looks at the About window and the version check from outside, in an X server of
# its own: the card's size, place and colours over the main window, a click and
# a key that hide it, a note key that leaves it, and the web site handed to a fake
# browser on the PATH.
# usage: about_e2e.sh <morvil program> <expected web address>
# With MORVIL_SCREENSHOT=<file> the screen with the card over the main window is kept there.
set -uo pipefail

morvil=$1
address=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xserver.sh"
export SDL_AUDIODRIVER=dummy

# The browser notes what it was given and stays until released, as a real one would.
mkdir -p "$work/bin"
cat >"$work/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$@" >"$work/browser.args"
for _ in \$(seq 200); do [ -e "$work/browser.release" ] && exit 0; sleep 0.1; done
SCRIPT
chmod +x "$work/bin/xdg-open"
export PATH=$work/bin:$PATH

setxkbmap us
"$morvil" >"$work/morvil.log" 2>&1 &
morvil_pid=$!

visible_windows() {
    xdotool search --onlyvisible --pid "$morvil_pid" 2>/dev/null
}

# waits_for <what> <command...>: up to five seconds.
waits_for() {
    local what=$1
    shift
    for _ in $(seq 50); do
        "$@" && return 0
        sleep 0.1
    done
    fail "$what"
    return 1
}

window_count_is() {
    [ "$(visible_windows | wc -l)" = "$1" ]
}

waits_for "morvil showed no window" window_count_is 1 || { cat "$work/morvil.log"; exit 1; }
main=$(visible_windows)
eval "$(xdotool getwindowgeometry --shell "$main")"
main_x=$X main_y=$Y

# Clicks the title bar's first button, "Ben...", and waits for the card.
show_about() {
    xdotool mousemove $((main_x + 1 + 2 + 10)) $((main_y + 1 + 2 + 9)) click 1
    waits_for "the About window did not appear" window_count_is 2 || return 1
    about=$(visible_windows | grep -vx "$main")
}

show_about || { cat "$work/morvil.log"; exit 1; }
sleep 0.3
# 221 x 94 centred on 1024 x 768, white, with navy text, over the main window.
eval "$(xdotool getwindowgeometry --shell "$about")"
[ "$WIDTH" = 221 ] && [ "$HEIGHT" = 94 ] || fail "the About window is ${WIDTH}x${HEIGHT}, not 221x94"
[ "$X" = 401 ] && [ "$Y" = 337 ] || fail "the About window is at $X,$Y, not centred at 401,337"
for corner in "401 337" "621 430" "405 428"; do
    seen=$(pixel $corner)
    [ "$seen" = FFFFFF ] || fail "the About window at $corner is #$seen, not white"
done
navy=$(import -window root -crop 221x94+401+337 -depth 8 txt:- | grep -c '#000080')
[ "$navy" -gt 100 ] || fail "the About window shows $navy navy pixels, expected its text"
[ -n "${MORVIL_SCREENSHOT:-}" ] && import -window root "$MORVIL_SCREENSHOT"

xdotool mousemove 511 350 click 1
waits_for "a click on the label did not hide the About window" window_count_is 1

# A note key plays in the main window and leaves the card; Escape hides it.
show_about && xdotool windowfocus --sync "$about" key 38
sleep 0.5
window_count_is 2 || fail "the note key A hid the About window"
xdotool key Escape
waits_for "Escape did not hide the About window" window_count_is 1

# F5 in the main window hands the site to the browser and shows nothing; the
# program does not wait for the browser.
xdotool windowfocus --sync "$main" key F5
waits_for "F5 started no browser" test -s "$work/browser.args"
[ "$(cat "$work/browser.args" 2>/dev/null)" = "$address" ] ||
    fail "the browser was given '$(cat "$work/browser.args" 2>/dev/null)', not '$address'"
sleep 0.5
window_count_is 1 || fail "the version check showed a window"
show_about || fail "the program waited for the browser"
touch "$work/browser.release"

if ! kill -0 "$morvil_pid" 2>/dev/null; then
    fail "morvil ended"
fi
if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed; the program wrote:"
    cat "$work/morvil.log"
    exit 1
fi
echo "About window checks passed"
