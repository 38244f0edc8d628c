# Sourced by the test scripts: a scratch folder in $work, and failure counting: fail <what>
# says what failed and counts it in $failures. On exit the Morvil in $morvil_pid is killed,
# the processes handed to stop_on_exit are stopped, and the scratch folder is removed.

work=$(mktemp -d)
failures=0
morvil_pid=
stopped_on_exit=()

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# stop_on_exit <pid>...: servers the test started, stopped when it ends.
stop_on_exit() {
    stopped_on_exit+=("$@")
}

end_test() {
    [ -n "$morvil_pid" ] && kill -9 "$morvil_pid" 2>/dev/null
    [ ${#stopped_on_exit[@]} -gt 0 ] && kill "${stopped_on_exit[@]}" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap end_test EXIT
