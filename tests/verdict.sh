# One line a check, "ok" or "FAIL", and a closing count, for the scripts that test the real
# program. Source it, then:
#   verdict NAME [PROBLEM ...]   passed when no problem is given; false when one is
#   check NAME COMMAND ...       passed when COMMAND succeeds; false when it does not
#   finish NAME                  "NAME: N passed, M failed"; false when any failed
passed=0 failed=0

verdict() {
    local name=$1
    shift
    if [ $# -eq 0 ]; then
        passed=$((passed + 1)); echo "ok   $name"
        return 0
    fi
    failed=$((failed + 1)); echo "FAIL $name: $*"
    return 1
}

check() {
    local what=$1
    shift
    if "$@"; then verdict "$what"; else verdict "$what" "not so"; fi
}

finish() {
    echo "$1: $passed passed, $failed failed"
    [ "$failed" -eq 0 ]
}
