# Sourced by the end-to-end tests that listen to the program through SDL's disk
# driver: $capture is the capture file, $samples the folder of the note samples,
# $python one with numpy.

# Starts the program and waits for its window and its sound output; the window's
# geometry goes to X, Y, WIDTH and HEIGHT, and it gets the focus (there is no window
# manager to give it).
start_listened_to() {
    start_morvil "$@"
    for _ in $(seq 100); do
        [ -s "$capture" ] && break
        sleep 0.1
    done
    [ -s "$capture" ] || { echo "morvil opened no sound output"; cat "$work/morvil.log"; exit 1; }
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool windowfocus --sync "$window"
}

capture_size() {
    stat -c %s "$capture"
}

# notes_after <seconds> <xdotool arguments...>: runs xdotool and prints the notes
# that started from the key events until <seconds> more of the sound has been captured.
# A note still sounding needs no waiting out: what is found are sample openings, and
# no stretch of a sample's middle passes for one.
notes_after() {
    local seconds=$1
    shift
    local start
    start=$(capture_size)
    xdotool "$@"
    # The disk driver writes 22050 frames of 2 bytes a second, at about real-time pace.
    local until
    until=$(awk -v from="$(capture_size)" -v seconds="$seconds" 'BEGIN { printf "%d", from + seconds * 44100 }')
    for _ in $(seq 200); do
        [ "$(capture_size)" -ge "$until" ] && break
        sleep 0.05
    done
    "$python" "$here/keys_e2e_notes.py" "$capture" "$start" "$samples"
}
