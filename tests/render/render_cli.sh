#!/bin/bash
# morvil-render from outside: what it writes, how it fails, and its MIDI read back
# by an independent reader.
# usage: render_cli.sh <morvil-render> <folder of this script>
set -uo pipefail

render=$1
here=$2
python=${PYTHON:-/usr/bin/python3} # the one with mido
source "$(dirname "${BASH_SOURCE[0]}")/../support/checks.sh"
cd "$work" || exit 1

printf '00=0\r\n04=500\r\n13=249\r\n' >melody.mnls

# expect <exit code> <text the error names> <arguments...>: a failure leaves no output file.
expect() {
    local code=$1 text=$2
    shift 2
    "$render" "$@" >stdout 2>stderr
    local got=$?
    [ "$got" = "$code" ] || fail "'$*' exited $got, not $code: $(cat stderr)"
    [ "$code" = 0 ] && return
    grep -qF -- "$text" stderr || fail "'$*' said '$(cat stderr)', not '$text'"
    [ -z "$(ls | grep -v -e '\.mnls$' -e '^stdout$' -e '^stderr$')" ] || fail "'$*' left $(ls)"
}

expect 0 "" melody.mnls melody.wav
[ -s melody.wav ] || fail "no melody.wav"
rm -f melody.wav

printf '' >empty.mnls
printf '00=1\r\n7=\r\n' >short.mnls
printf '00=99999999999\r\n' >wide.mnls
printf '00=1000000000\r\n' >long.mnls
expect 1 "missing.mnls: Cannot open file" missing.mnls out.wav
expect 1 "empty.mnls: the list holds no note to play" empty.mnls out.wav
expect 1 "short.mnls: line 2 (\"7=\"): '' is not a valid integer value" short.mnls out.flac
expect 1 "wide.mnls: line 1 (\"00=99999999999\"): '99999999999' is not a valid integer value" wide.mnls out.ogg
expect 1 "long.mnls: the melody would last longer than 12 hours" long.mnls out.wav
expect 1 "long.mnls: the melody would last longer than 12 hours" long.mnls out.mid
expect 1 "cannot create missing-folder/out.wav" melody.mnls missing-folder/out.wav
expect 2 "cannot tell the output format from 'txt'" melody.mnls out.txt
expect 2 "wants a note list and an output file" melody.mnls
expect 2 "--rate wants 22050, 44100 or 48000, not '96000'" --rate 96000 melody.mnls out.wav
expect 2 "--tick-ms wants a length" --tick-ms 0 melody.mnls out.wav
expect 2 "writing to standard output wants --format" melody.mnls -
expect 2 "Unknown option" --loud melody.mnls out.wav
expect 0 "" --help
grep -q -- "--tick-ms" stdout || fail "--help does not list --tick-ms"
expect 0 "" --version
grep -qx "morvil-render [0-9.]*" stdout || fail "--version printed '$(cat stdout)'"

# A failed run leaves an existing file as it was.
echo "kept" >kept.wav
"$render" short.mnls kept.wav 2>/dev/null
[ "$(cat kept.wav)" = kept ] || fail "a failed run changed an existing file"
rm -f kept.wav

# Standard output gets the same bytes as a file.
"$render" melody.mnls melody.mid || fail "no MIDI file"
"$render" --format mid melody.mnls - >piped.mid || fail "no MIDI on standard output"
cmp -s melody.mid piped.mid || fail "MIDI on standard output differs from the file"
# A standard output that takes nothing fails the run, however little there is to write.
for format in mid wav; do
    "$render" --format $format melody.mnls - >/dev/full 2>stderr
    code=$?
    [ "$code" = 1 ] || fail "--format $format to a full standard output exited $code"
    grep -qF "cannot write to standard output: No space left on device" stderr ||
        fail "--format $format to a full standard output said '$(cat stderr)'"
done

# Read back by mido: one track, 1 ms a tick, the violin; each note the pitch it
# sounds at, cut off by the next, the last as long as its sample (13 687 frames).
expected="type 0 tracks 1 division 1000 tempo 1000000 program 40
60 at 1 for 501 velocity 96
67 at 502 for 250 velocity 96
79 at 752 for 620 velocity 96"
heard=$("$python" "$here/check_midi.py" melody.mid) || fail "mido could not read the MIDI file"
[ "$heard" = "$expected" ] || fail "the MIDI file reads back as
$heard
not
$expected"

# --tick-ms stretches every wait.
"$render" --tick-ms 2 melody.mnls slow.mid || fail "no MIDI at 2 ms ticks"
"$python" "$here/check_midi.py" slow.mid | grep -qx "79 at 1504 for 620 velocity 96" || fail "--tick-ms 2 did not double the waits"

if [ "$failures" -ne 0 ]; then
    echo "$failures failures"
    exit 1
fi
echo "all command-line cases passed"
