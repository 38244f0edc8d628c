#!/bin/bash
# The NSIS installer under wine (WINEPREFIX set by tools/test-windows.sh): a silent install puts the zip's files
# under Program Files with a Start-menu entry, the uninstall entry and the .mnls type; the silent uninstaller
# removes all of it.
# usage: installer_e2e.sh <setup.exe> <zip>
set -uo pipefail

setup=$1
zip=$2
source "$(dirname "$0")/../support/checks.sh"

program_files=$WINEPREFIX/drive_c/Program\ Files/Morvil
shortcut=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Morvil.lnk
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Morvil'

registry_has() { # key [value]
    wine reg query "$1" ${2:+/v "$2"} >/dev/null 2>&1
}

# Waits up to twenty seconds for a path to appear (there) or to go (gone).
wait_for() { # there|gone path
    for _ in $(seq 200); do
        if [ "$1" = there ]; then [ -e "$2" ] && return 0; else [ -e "$2" ] || return 0; fi
        sleep 0.1
    done
    return 1
}

timeout 120 wine "$setup" /S || fail "the silent install failed"
wait_for there "$program_files/uninstall.exe" || fail "no uninstaller in $program_files"
# Exactly the zip's files, and the uninstaller.
expected=$(unzip -Z1 "$zip" | grep -v '/$' | cut -d/ -f2- | sort)
installed=$(cd "$program_files" && find . -type f ! -name uninstall.exe | cut -c3- | sort)
[ "$installed" = "$expected" ] || fail "installed files differ from the zip's:
$(diff <(echo "$expected") <(echo "$installed"))"
[ -f "$shortcut" ] || fail "no Start-menu entry $shortcut"
registry_has "$uninstall_key" UninstallString || fail "no uninstall entry"
command=$(wine reg query 'HKLM\Software\Classes\Morvil.NotaListesi\shell\open\command' /ve 2>/dev/null | tr -d '\r')
[[ $command == *'"C:\Program Files\Morvil\morvil.exe" "%1"'* ]] || fail ".mnls files do not open with Morvil: $command"
[ "$(wine reg query 'HKLM\Software\Classes\.mnls' /ve 2>/dev/null | tr -d '\r' | awk 'NF { last = $NF } END { print last }')" = Morvil.NotaListesi ] ||
    fail ".mnls is not Morvil's note-list type"

timeout 120 wine "$program_files/uninstall.exe" /S || fail "the silent uninstall failed"
# The uninstaller runs on from a copy of itself.
wait_for gone "$program_files" || fail "the uninstaller left $(find "$program_files" | head -n 5)"
wait_for gone "$shortcut" || fail "the uninstaller left the Start-menu entry"
registry_has "$uninstall_key" && fail "the uninstaller left the uninstall entry"
registry_has 'HKLM\Software\Classes\.mnls' && fail "the uninstaller left the .mnls type"

if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "installer checks passed"
