#!/bin/bash
# Changes a note of the list the way a player does, in an X server of its own:
# records three notes, shows the list with Ctrl+G, selects the second line with the
# mouse (and Ctrl+clicks it and clicks beside the lines, which keep it selected),
# opens "Seçili Nota Değiştir" from the menu, right-clicks its drop-down list (the
# menu opens), picks another note with the keyboard and presses Alt+D; the list saved before and after the change tells what
# changed. A screenshot of the open change panel is kept in $MORVIL_SCREENSHOTS when
# it names a folder.
# usage: lists_e2e.sh <morvil program>
set -uo pipefail

morvil=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xserver.sh"
export SDL_AUDIODRIVER=dummy
shots=${MORVIL_SCREENSHOTS:-$work}

setxkbmap us || { echo "no X server on $DISPLAY"; exit 1; }
# The dialogs start in the working folder.
cd "$work" || exit 1

# There is no window manager: the focus falls back to the screen after every menu
# and dialog, and the window takes it again before it is typed into.
focus() {
    xdotool windowfocus --sync "$window"
}

# Saves the note list with Ctrl+S under a bare name, in the working folder.
save_list() { # name
    focus
    xdotool key ctrl+s
    focus_titled 'Farklı Kaydet' || { fail "Ctrl+S showed no save dialog"; return; }
    xdotool type --delay 20 "$1"
    xdotool key Return
    appears "$work/$1.mnls" || fail "no $1.mnls was saved"
}

# A point of line `row` of the visible list, from the window's top-left corner:
# the list's first column starts 6 px in and 178 px down, its lines are 14 px high.
line_x=42
line_y() { echo $((178 + 14 * $1 + 7)); }

# Runs the first-level menu item at `position`, counted from 1 without the separators.
menu_item() { # position
    eval "$(xdotool getwindowgeometry --shell "$window")"
    click_at $((X + line_x)) $((Y + $(line_y 2))) 3
    sleep 0.5
    xdotool key --repeat "$1" --delay 40 Down
    xdotool key Return
    sleep 0.3
}

start_morvil
focus
# DO (00), Mİ (02) and SOL (04) from the home row, then stop recording.
xdotool key 38 sleep 0.3 key 40 sleep 0.3 key 42 sleep 0.3 key ctrl+F11
xdotool key ctrl+g
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$HEIGHT" -gt 154 ] || fail "Ctrl+G did not show the list"
click_at $((X + line_x)) $((Y + $(line_y 1))) 1
# A Ctrl+click on the chosen line and a click beside the lines keep it chosen.
xdotool keydown ctrl
click_at $((X + line_x)) $((Y + $(line_y 1))) 1
xdotool keyup ctrl
click_at $((X + line_x)) $((Y + $(line_y 8))) 1
save_list before

# "Seçili Nota Değiştir" is the tenth item. The menu opens on the third line: a
# right click leaves the second one selected.
menu_item 10
import -window root -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$shots/change-panel.png"
# A right click on the panel's drop-down list opens the window's menu, not the list.
click_at $((X + 1 + 54 + 96 + 10)) $((Y + 1 + 15 + 51 + 10)) 3
sleep 0.5
[ "$(xdotool search --onlyvisible --pid "$morvil_pid" | wc -l)" -gt 1 ] ||
    fail "a right click on the drop-down list opened no menu"
xdotool key Escape
# Tab reaches the drop-down list, the only control the open panel leaves enabled
# for the keyboard; Down picks RE (01).
focus
xdotool key Tab sleep 0.2 key Down sleep 0.2 key alt+d
sleep 0.5
save_list after

# The same bytes, but for the second note: its wait stays.
if ! grep -qzP '^00=0\r\n02=[1-9][0-9]*\r\n04=[1-9][0-9]*\r\n$' "$work/before.mnls" 2>/dev/null; then
    fail "before.mnls holds$(od -An -c "$work/before.mnls" 2>/dev/null | tr -s ' ')"
elif ! sed '2s/^02=/01=/' "$work/before.mnls" | cmp -s - "$work/after.mnls"; then
    fail "after.mnls holds$(od -An -c "$work/after.mnls" 2>/dev/null | tr -s ' '), not before.mnls with 01 in line 2"
fi

# Exported as displayed ("Göründüğü Gibi Kaydet", the eighth item), the changed line has the recording form.
menu_item 8
if focus_titled 'Farklı Kaydet'; then
    xdotool type --delay 20 shown
    xdotool key Return
    sleep 0.5
    printf 'DO (00)\r\nRE (01)\r\nSOL (04)\r\n' | cmp -s - "$work/shown.txt" ||
        fail "shown.txt holds$(od -An -c "$work/shown.txt" 2>/dev/null | tr -s ' ')"
else
    fail "Göründüğü Gibi Kaydet showed no save dialog"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures failures; the program wrote:"
    cat "$work/morvil.log"
    exit 1
fi
echo "list editing cases passed"
