#!/bin/bash
# The bash completion, sourced where the bash-completion package is not loaded:
# commands, options, markup modes and the typography rules (read from
# tarnik typo --help), after a comma too. Arguments: the completion file and the
# folder of the built tarnik.
PATH=$2:$PATH
source "$1"
failures=0
expect() {
    local wanted=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _tarnik
    if [[ "${COMPREPLY[*]}" != "$wanted" ]]; then
        echo "FAIL: [$*] gave [${COMPREPLY[*]}], wanted [$wanted]"
        failures=$((failures + 1))
    fi
}
expect "typo" tarnik ty
expect "--alphabetical" tarnik pipe --alph
expect "markdown" tarnik typo --mode m
expect "quotes,dashes quotes,dash-binding" tarnik typo --off quotes,da
expect "before-words before-digits before-roman" tarnik typo --on before
expect "en em" tarnik typo --dash e
exit $((failures > 0))
