#!/usr/bin/env bash
# Cross-builds Morvil for 64-bit Windows and packages it: build-windows/morvil-<version>-windows-x64.zip (the
# program with every DLL and plugin it needs, runs from any folder) and build-windows/morvil-<version>-setup.exe
# (an NSIS installer).
#
# Debian has no Qt for Windows, so Qt, SDL2 and the audio libraries of morvil-render are built from Debian's own
# sources (the versions the Linux build uses) with the mingw-w64 cross compiler, once: they are installed into a
# cache (MORVIL_WINDOWS_CACHE, by default ~/.cache/morvil-windows) under a name made of their versions and of
# the recipe that built them, and later runs reuse them. The cache keeps the installed libraries only.
#
# Safe to run again; installs what it needs through apt (with sudo when not root).
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
project=$PWD
build=$project/build-windows
cache=${MORVIL_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/morvil-windows}
toolchain=$project/cmake/mingw-w64-x86_64.cmake
jobs=$(nproc)

packages=(
    # the cross compiler with the posix thread model, and the build machine's tools
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
    g++ cmake ninja-build pkg-config perl dpkg-dev
    # Qt's own tools (moc, uic, rcc) run on the build machine; its Turkish translation goes into the zip
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n
    # packaging, with the licences of the libraries the zip carries, from the Debian packages of the same sources
    zip nsis icoutils libsdl2-2.0-0 libsndfile1 libsamplerate0
    # tools/test-windows.sh: the Windows build under wine in an X server of its own
    wine wine64 xvfb xdotool imagemagick unzip fonts-liberation python3 python3-numpy
)

run_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    else
        sudo "$@"
    fi
}

# apt-get source needs the archive's source lists: the binary lists again, as deb-src.
add_source_lists() {
    if grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return
    fi
    local lists=/etc/apt/sources.list.d/morvil-deb-src
    if compgen -G '/etc/apt/sources.list.d/*.sources' >/dev/null; then
        sed 's/^Types: *deb *$/Types: deb-src/' /etc/apt/sources.list.d/*.sources | run_as_root tee $lists.sources >/dev/null
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | run_as_root tee $lists.list >/dev/null
    fi
    run_as_root apt-get update -qq
}

install_packages() {
    local missing=() package
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        run_as_root apt-get update -qq
        run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
    add_source_lists
}

# The newest version of a source package in the archive.
source_version() {
    local newest="" version
    for version in $(apt-cache showsrc --only-source "$1" | sed -n 's/^Version: //p'); do
        if [ -z "$newest" ] || dpkg --compare-versions "$version" gt "$newest"; then
            newest=$version
        fi
    done
    [ -n "$newest" ] || { echo "build-windows: no source package $1 in apt's lists" >&2; return 1; }
    echo "$newest"
}

# Unpacks a Debian source package (its patches applied) into the current folder; prints its folder.
unpack_source() {
    apt-get source -q --only-source "$1=$2" >&2
    find . -mindepth 1 -maxdepth 1 -type d -name "$1-*" | head -n 1
}

cmake_windows() {
    cmake -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release "$@"
}

# A library built with CMake into the prefix: cmake_library <source folder> <prefix> [cache options...]
cmake_library() {
    local source=$1 prefix=$2
    shift 2
    cmake_windows -S "$source" -B "$source/build-windows" -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DMORVIL_WINDOWS_PREFIXES="$prefix" -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=ON \
        -DBUILD_TESTING=OFF "$@"
    cmake --build "$source/build-windows" -j "$jobs"
    cmake --install "$source/build-windows"
}

# A library built with its configure script into the prefix: autotools_library <source folder> <prefix> [options...]
autotools_library() {
    local source=$1 prefix=$2
    shift 2
    (cd "$source" && ./configure --host=x86_64-w64-mingw32 CC=x86_64-w64-mingw32-gcc-posix --prefix="$prefix" "$@" &&
        make -j "$jobs" && make install)
}

# Qt Core, Gui, Widgets and Test with the windows platform plugin and style; the build machine's Qt tools.
# Debian's source lacks the tablet headers; without Direct2D the platform plugin links only without
# DirectWrite 3. No ICU, OpenGL, D-Bus, network, SQL, XML or printing.
build_qt() {
    local source
    source=$(unpack_source qt6-base "$qt_version")
    cmake_windows -S "$source" -B "$source/build-windows" -DCMAKE_INSTALL_PREFIX="$1" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DBUILD_SHARED_LIBS=ON \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF -DFEATURE_pkg_config=OFF \
        -DFEATURE_dbus=OFF -DFEATURE_icu=OFF -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_xml=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF -DINPUT_opengl=no -DFEATURE_opengl=OFF \
        -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite3=OFF -DFEATURE_tabletevent=OFF \
        -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF -DFEATURE_jpeg=OFF -DFEATURE_zstd=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
        -DFEATURE_system_png=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF \
        -DFEATURE_system_textmarkdownreader=OFF -DFEATURE_androiddeployqt=OFF
    cmake --build "$source/build-windows" -j "$jobs"
    cmake --install "$source/build-windows"
}

# SDL2's audio (Windows' own drivers, and the disk and dummy drivers the tests capture with) as one DLL.
build_sdl2() {
    cmake_library "$(unpack_source libsdl2 "$sdl2_version")" "$1" -DSDL_SHARED=ON -DSDL_STATIC=OFF -DSDL_TEST=OFF
}

# libsndfile with FLAC, Ogg Vorbis and Opus, and libsamplerate: what morvil-render writes and resamples with.
# The codecs go into libsndfile's DLL (libvorbis's export list does not link as a DLL with mingw), built without
# the stack protector and fortified string functions, whose library that DLL would then need as well: it only
# encodes what morvil-render renders.
build_audio() {
    local prefix=$1
    cmake_library "$(unpack_source libogg "${audio_versions[libogg]}")" "$prefix" -DBUILD_SHARED_LIBS=OFF
    cmake_library "$(unpack_source libvorbis "${audio_versions[libvorbis]}")" "$prefix" -DBUILD_SHARED_LIBS=OFF
    # Opus's release lacks a file its CMake build includes.
    autotools_library "$(unpack_source opus "${audio_versions[opus]}")" "$prefix" --disable-shared --disable-doc \
        --disable-extra-programs --disable-stack-protector CFLAGS="-O2 -D_FORTIFY_SOURCE=0"
    cmake_library "$(unpack_source flac "${audio_versions[flac]}")" "$prefix" -DBUILD_SHARED_LIBS=OFF \
        -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOCS=OFF -DBUILD_CXXLIBS=OFF -DINSTALL_MANPAGES=OFF \
        -DWITH_OGG=ON -DWITH_STACK_PROTECTOR=OFF -DWITH_FORTIFY_SOURCE=OFF
    cmake_library "$(unpack_source libsndfile "${audio_versions[libsndfile]}")" "$prefix" -DBUILD_PROGRAMS=OFF \
        -DBUILD_EXAMPLES=OFF -DENABLE_EXTERNAL_LIBS=ON -DENABLE_MPEG=OFF -DINSTALL_MANPAGES=OFF \
        -DENABLE_CPACK=OFF -DCMAKE_C_FLAGS=-DFLAC__NO_DLL
    cmake_library "$(unpack_source libsamplerate "${audio_versions[libsamplerate]}")" "$prefix" \
        -DLIBSAMPLERATE_EXAMPLES=OFF
}

# cached <name> <versions> <build function>: sets prefix to the folder the function installs into, building
# it now unless a previous run left it complete. The name holds the versions, the compiler's and a digest of
# the recipe, so a change to any of them builds afresh beside the old one. The build's output goes to a log.
cached() {
    local name=$1 versions=$2 recipe=$3 digest work log started=$SECONDS
    digest=$( { declare -f "$recipe" cmake_library autotools_library cmake_windows unpack_source; cat "$toolchain"
        x86_64-w64-mingw32-g++-posix -dumpfullversion; } | sha256sum | cut -c1-10)
    prefix=$cache/$name-$versions-$digest
    [ -e "$prefix/.complete" ] && return
    echo "build-windows: building $name $versions into $prefix (once)"
    rm -rf "$prefix"
    work=$(mktemp -d "$cache/work-$name.XXXXXX")
    log=$cache/$name.log
    trap 'echo "build-windows: building $name failed; the end of $log:" >&2; tail -n 40 "$log" >&2' ERR
    (cd "$work" && "$recipe" "$prefix") >"$log" 2>&1
    trap - ERR
    rm -rf "$work"
    touch "$prefix/.complete"
    echo "build-windows: $name built in $((SECONDS - started)) s"
}

install_packages
mkdir -p "$cache"

qt_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
sdl2_version=$(source_version libsdl2)
declare -A audio_versions
for package in libogg libvorbis opus flac libsndfile libsamplerate; do
    audio_versions[$package]=$(source_version $package)
done
audio_key=$(for package in libogg libvorbis opus flac libsndfile libsamplerate; do
    printf '%s-%s\n' $package "${audio_versions[$package]}"; done | sha256sum | cut -c1-10)

cached qt6-base "$qt_version" build_qt
qt=$prefix
cached libsdl2 "$sdl2_version" build_sdl2
sdl2=$prefix
cached audio "$audio_key" build_audio
prefixes="$qt;$sdl2;$prefix"

# Morvil itself, with its tests; ctest runs each test program under wine (tools/test-windows.sh).
cmake -S "$project" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DMORVIL_WINDOWS_PREFIXES="$prefixes" -DCMAKE_PREFIX_PATH="$prefixes" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$project/tests/windows/wine.sh" \
    -DMORVIL_WERROR=ON -DMORVIL_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j "$jobs"

# The folder a user gets, packed twice: as a zip and as an installer.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
name=morvil-$version-windows-x64
stage=$build/stage
rm -rf "$stage" "$build/$name.zip" "$build/morvil-$version-setup.exe"
cmake --install "$build" --prefix "$stage/$name" --strip >/dev/null
(cd "$stage" && zip -qr9 "$build/$name.zip" "$name")
# The uninstaller deletes exactly the files installed, then the folders they leave empty.
(cd "$stage/$name" && {
    find . -type f | sort | sed 's|^\./||; s|/|\\|g; s|.*|    Delete "$INSTDIR\\&"|'
    find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|.*|    RMDir "$INSTDIR\\&"|'
}) >"$stage/uninstall-files.nsh"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage/$name" -DFILES="$stage/uninstall-files.nsh" \
    -DOUTFILE="$build/morvil-$version-setup.exe" "$project/packaging/windows/morvil.nsi"
ls -l "$build/$name.zip" "$build/morvil-$version-setup.exe"
