# Sourced by the benchmarks: starts a PipeWire of their own with a null sink "t"
# (22 050 Hz, mono) as Debian 12's desktop runs it: the daemon, its session
# manager WirePlumber on a D-Bus session bus of its own, and its PulseAudio
# emulation, with HOME, the runtime folder and the configuration in the scratch
# folder given. Debian's configuration raises the smallest period to 1024 frames
# inside a virtual machine; the sink here keeps the one of real hardware. The
# caller stops it: stop_pipewire
# usage: source bench/pipewire-null-sink.sh <scratch folder>
command -v pipewire-pulse >/dev/null || {
    echo "no pipewire-pulse: tools/install-dependencies.sh --benchmarks installs the sound servers" >&2
    exit 1
}
export HOME=$1 XDG_RUNTIME_DIR=$1 XDG_CONFIG_HOME=$1/config
mkdir -p "$XDG_CONFIG_HOME/pipewire/pipewire.conf.d"
cat >"$XDG_CONFIG_HOME/pipewire/pipewire.conf.d/null-sink.conf" <<'CONF'
context.properties = {
    default.clock.rate          = 22050
    default.clock.allowed-rates = [ 22050 ]
    vm.overrides                = { }
}
context.objects = [
    { factory = adapter
        args = {
            factory.name     = support.null-audio-sink
            node.name        = t
            node.description = "null sink"
            media.class      = Audio/Sink
            audio.rate       = 22050
            audio.channels   = 1
            audio.position   = [ MONO ]
            object.linger    = true
        }
    }
]
CONF
{
    read -r DBUS_SESSION_BUS_ADDRESS
    read -r pipewire_bus_pid
} < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS
pipewire >"$1/pipewire.log" 2>&1 &
pipewire_pids=$!
for _ in $(seq 50); do [ -S "$XDG_RUNTIME_DIR/pipewire-0" ] && break; sleep 0.1; done
wireplumber >"$1/wireplumber.log" 2>&1 &
pipewire_pids="$pipewire_pids $!"
pipewire-pulse >"$1/pipewire-pulse.log" 2>&1 &
pipewire_pids="$pipewire_pids $!"
# Ready once the session manager has made the null sink the default.
for _ in $(seq 100); do [ "$(pactl get-default-sink 2>/dev/null)" = t ] && break; sleep 0.1; done

stop_pipewire() {
    # shellcheck disable=SC2086
    kill $pipewire_pids "$pipewire_bus_pid" 2>/dev/null || true
}
