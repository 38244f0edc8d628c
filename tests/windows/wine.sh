#!/bin/bash
# Runs one Windows test program of the build under wine: the emulator ctest puts before each of them
# (CMAKE_CROSSCOMPILING_EMULATOR). tools/test-windows.sh gives the wine prefix, the X server and WINEPATH.
# A program that fails fatally may wait on a dialog nobody sees, so each run has a time limit.
exec timeout --kill-after=5 240 wine "$@"
