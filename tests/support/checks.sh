# Sourced by the test scripts: a scratch folder in $work, removed on exit, and
# failure counting: fail <what> says what failed and counts it in $failures.

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
