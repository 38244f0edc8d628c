#!/bin/bash
# Runs a test program in an X server of its own, on Qt's X11 platform.
# usage: in_xserver.sh <program> [arguments...]
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/xserver.sh"
"$@"
