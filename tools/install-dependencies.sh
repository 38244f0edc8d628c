#!/usr/bin/env bash
# Installs what building, running and testing Morvil need on Debian 12; with --benchmarks also the
# sound servers the benchmarks play through. Safe to run again; uses sudo when not run as root.
# usage: tools/install-dependencies.sh [--benchmarks]
set -euo pipefail

packages=(
    # build
    g++ cmake ninja-build make pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libsdl2-dev
    # Qt's own dialogs and standard buttons in Turkish
    qt6-translations-l10n
    # the design's fonts have metric-compatible free stand-ins
    fontconfig fonts-liberation fonts-dejavu-core
    # end-to-end tests: a real X server driven from outside, the sound checked with numpy,
    # two window managers (one compositing, with its D-Bus session) and another program's window
    xvfb xdotool x11-xkb-utils xkb-data x11-utils imagemagick python3 python3-numpy openbox xfwm4 dbus-daemon
    # and a Wayland desktop: a headless compositor with XWayland, and Qt's Wayland platform, which
    # Qt would otherwise choose there
    weston xwayland qt6-wayland
    # fuzzing: libFuzzer comes with Debian's clang
    clang libclang-rt-14-dev
    # benchmarks: XTest key events
    libxtst-dev
    # installing: the desktop entry's and the metainfo's validators, the file type database, the Debian
    # package's dependencies and its checker
    desktop-file-utils appstream shared-mime-info dpkg-dev file lintian
    # morvil-render: sound files, resampling, and an independent MIDI reader for its tests
    libsndfile1-dev libsamplerate0-dev python3-mido
)
# The benchmarks' real sound servers with a null sink: PulseAudio, and PipeWire with its session
# manager and its PulseAudio emulation. Only when asked: on a desktop, installing them enables both
# servers' user services, which then contend for the desktop's sound at the next login.
case ${1:-} in
--benchmarks) packages+=(pulseaudio pulseaudio-utils pipewire pipewire-pulse wireplumber) ;;
'') ;;
*) echo "usage: $0 [--benchmarks]" >&2; exit 2 ;;
esac

run_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
export DEBIAN_FRONTEND=noninteractive
run_as_root apt-get update -qq
run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
