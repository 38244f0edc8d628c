#!/usr/bin/env bash
# Tests the Windows build of tools/build-windows.sh under wine, in an X server of its own: the unit and window
# tests (ctest, each test program under wine), then the zip's morvil.exe from outside, then the installer.
# A screenshot of morvil.exe under wine is left at build-windows/morvil-wine.png.
#
# What wine here cannot show is not tested: a real sound device (SDL's disk driver captures the output) and a
# standard user without the administrator's rights.
set -euo pipefail
cd "$(dirname "$0")/.."
project=$PWD
build=$project/build-windows
[ -f "$build/CMakeCache.txt" ] || { echo "test-windows: no Windows build; run tools/build-windows.sh first" >&2; exit 1; }
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
zip=$build/morvil-$version-windows-x64.zip
setup=$build/morvil-$version-setup.exe

# One wine prefix for the build folder, made once: no Mono or Gecko prompts, and TrueType fonts for Qt to find
# (the designed Arial is drawn with its metric twin Liberation Sans, as on Linux).
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
# wine hands QT_* variables to no program: WINEQT_* arrive as QT_*. Qt Test then writes to standard error rather
# than to a debugger.
export WINEQT_FORCE_STDERR_LOGGING=1
if [ ! -f "$WINEPREFIX/.made" ]; then
    rm -rf "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    # Windows that wine itself places and focuses: with no window manager in the X server, a managed window
    # would wait two seconds for one whenever it is hidden.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver --wait
    cp /usr/share/fonts/truetype/liberation/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
    touch "$WINEPREFIX/.made"
fi

# The X server, and a wine server kept up for the whole run rather than started by every test program.
work=$(mktemp -d)
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
trap 'wineserver --kill 2>/dev/null; kill $xvfb_pid 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
wineserver --persistent
# wine's own services start with the first program and keep its output open: not one of the tests', or ctest
# would wait for them to end.
wine cmd /c exit >/dev/null 2>&1

failed=()

# The test programs find their DLLs (Qt, SDL2, the audio libraries, the compiler's runtime) through WINEPATH,
# and Qt its plugins beside its own DLL.
WINEPATH=$(sed -n 's/^MORVIL_WINDOWS_DLL_PATH:INTERNAL=//p' "$build/CMakeCache.txt")
export WINEPATH
# Left out: the end-to-end scripts, the packaging test and the renderer's command-line script, which drive the
# Linux programs; tst_windowchrome, whose zoom cases need the two screens the offscreen platform is configured
# with (Windows' platform plugin sees the one screen of the X server). The tests draw with the program's own
# style, one at a time: the window tests read the screen and type into the active window.
export WINEQT_STYLE_OVERRIDE=fusion
ctest --test-dir "$build" --output-on-failure -LE 'e2e|install' -E '^(render_cli|tst_windowchrome)$' ||
    failed+=("unit and window tests")
unset WINEQT_STYLE_OVERRIDE

tests/windows/morvil_e2e.sh "$zip" "$project/assets/samples" "$build/morvil-wine.png" || failed+=(morvil_e2e)
tests/windows/installer_e2e.sh "$setup" "$zip" || failed+=(installer_e2e)

if [ ${#failed[@]} -gt 0 ]; then
    echo "test-windows: failed: ${failed[*]}" >&2
    exit 1
fi
echo "test-windows: all passed"
