#!/bin/bash
# Kills a real Morvil (SIGKILL) after N notes for several N, starts it again and
# answers Yes: the list saved before the kill comes back byte for byte, also from
# the journal cut at every byte of its last entry; a clean close offers nothing.
# usage: journal_e2e.sh <morvil program>
set -uo pipefail

morvil=$(realpath "$1")
source "$(dirname "$0")/xserver.sh"
export SDL_AUDIODRIVER=dummy
journals=$XDG_STATE_HOME/Morvil
setxkbmap us || { echo "no X server on $DISPLAY"; exit 1; }
cd "$work" || exit 1 # the dialogs start here

save_list() { # name: Ctrl+S under a bare name, in the working folder
    xdotool windowfocus --sync "$window" key ctrl+s
    focus_titled 'Farklı Kaydet' && xdotool type --delay 20 "$1" && xdotool key Return
    appears "$work/$1.mnls" || fail "no $1.mnls was saved"
}
kill_morvil() { kill -9 "$morvil_pid" && wait "$morvil_pid" 2>/dev/null; }
journal_size() { stat -c %s "$journals"/*.journal 2>/dev/null || echo 0; }

# A start on the journals left, the question answered with its default, Yes.
recover_and_save() { # name
    start_morvil
    focus_titled UYARI && xdotool key Return || fail "$1: no recovery was offered"
    save_list "$1"
    kill_morvil
}

# N notes, stopped and saved; one more note (a new recording: 00=0), killed while recording.
for notes in 1 4 12; do
    rm -rf "$journals"
    start_morvil
    xdotool windowfocus --sync "$window"
    for i in $(seq "$notes"); do xdotool key $((38 + i % 9)) sleep 0.05; done
    xdotool key ctrl+F11
    save_list "played$notes"
    before_last=$(journal_size)
    xdotool windowfocus --sync "$window" key 38
    for _ in $(seq 50); do [ "$(journal_size)" -gt "$before_last" ] && break; sleep 0.1; done
    cp "$journals"/*.journal "$work/left.journal"
    kill_morvil
    recover_and_save "back$notes"
    printf '00=0\r\n' | cat "$work/played$notes.mnls" - | cmp -s - "$work/back$notes.mnls" ||
        fail "$notes notes: brought back$(od -An -c "$work/back$notes.mnls" 2>/dev/null | tr -s ' ')"
done

for cut in $(seq "$before_last" $(($(stat -c %s "$work/left.journal") - 1))); do
    rm -rf "$journals" "$work/cut.mnls"
    mkdir -p "$journals"
    head -c "$cut" "$work/left.journal" >"$journals/notes-cut.journal"
    recover_and_save cut
    cmp -s "$work/played$notes.mnls" "$work/cut.mnls" || fail "cut at byte $cut: brought back another list"
done

# A list given on the command line does not replace notes just brought back.
rm -rf "$journals" "$work/given.mnls"
mkdir -p "$journals"
cp "$work/left.journal" "$journals/notes-left.journal"
start_morvil "$work/played1.mnls"
focus_titled UYARI && xdotool key Return || fail "with a list given: no recovery was offered"
save_list given
kill_morvil
cmp -s "$work/back$notes.mnls" "$work/given.mnls" || fail "the list given replaced the notes brought back"

# A clean close removes the journal; the next start asks nothing.
rm -rf "$journals"
start_morvil
xdotool windowfocus --sync "$window" key 38 sleep 0.3 key ctrl+F11
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 1 + 352 + 9)) $((Y + 1 + 2 + 8)) click 1 # the close button
ended || fail "the close button did not end the program"
[ -z "$(ls -A "$journals")" ] || fail "a clean close left $(ls "$journals")"
start_morvil
! timeout 3 xdotool search --sync --onlyvisible --name '^UYARI' >/dev/null ||
    fail "a start after a clean close offered a list"

[ "$failures" -eq 0 ] || { cat "$work/morvil.log"; exit 1; }
echo "lists of 2, 5 and 13 notes brought back after a kill, and 12 from cuts at bytes $before_last to $cut"
