# Sourced by the benchmarks: starts a PulseAudio daemon of their own with the null
# sink "t" (22 050 Hz, mono, s16), also when run as root, with its HOME and runtime
# folder in the scratch folder given. The caller stops it: pulseaudio --kill
# usage: source bench/null-sink.sh <scratch folder>
command -v pulseaudio >/dev/null || {
    echo "no pulseaudio: tools/install-dependencies.sh --benchmarks installs the sound servers" >&2
    exit 1
}
export HOME=$1 XDG_RUNTIME_DIR=$1
pulseaudio -D --system=false --exit-idle-time=-1 --disallow-exit -n \
    --load="module-null-sink sink_name=t rate=22050 channels=1 format=s16le" \
    --load="module-native-protocol-unix" 2>/dev/null
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
