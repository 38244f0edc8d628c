#!/usr/bin/env bash
# Times morvil-render on long lists: notes 40-400 ms apart (seed fixed), rendered
# to WAV, FLAC and MIDI; prints the wall time, how many times faster than the
# melody plays, and the peak resident memory. A list a tenth as long shows that
# the memory does not grow with the list.
# usage: bench/render.sh [build-dir] [notes]      (defaults: build, 100000)
set -euo pipefail

build=${1:-build}
notes=${2:-100000}
render=$build/morvil-render
[ -x "$render" ] || { echo "no $render: build the target morvil-render first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_list() { # <notes> <file>
    /usr/bin/python3 - "$1" "$2" <<'PY'
import random, sys
random.seed(20240611)
with open(sys.argv[2], "wb") as out:
    for _ in range(int(sys.argv[1])):
        out.write(b"%02d=%d\r\n" % (random.randrange(18), random.randint(40, 400)))
PY
}

measure() { # <list> <output>
    local seconds memory
    /usr/bin/time -f "%e %M" -o "$work/time" "$render" "$1" "$2"
    read -r seconds memory <"$work/time"
    local melody
    melody=$(/usr/bin/python3 -c "
import sys
total = sum(int(line.split(b'=')[1]) + 1 for line in open(sys.argv[1], 'rb'))
print(total / 1000)" "$1")
    printf '%-8s %7d notes  %8.1f s of melody  %7.2f s  %6.0fx real time  peak %5.1f MB  file %6.1f MB\n' \
        "${2##*.}" "$(wc -l <"$1")" "$melody" "$seconds" "$(echo "$melody / $seconds" | bc -l)" \
        "$(echo "$memory / 1024" | bc -l)" "$(echo "$(stat -c %s "$2") / 1048576" | bc -l)"
    rm -f "$2"
}

make_list "$notes" "$work/long.mnls"
make_list $((notes / 10)) "$work/short.mnls"
for format in wav flac mid; do
    measure "$work/short.mnls" "$work/out.$format"
    measure "$work/long.mnls" "$work/out.$format"
done
