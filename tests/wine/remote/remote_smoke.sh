#!/usr/bin/env bash
# Drives remote.exe the way a person would, inside a prefix given by wine-env (whose wine server
# keeps the card, and its state, between the commands), and checks what it prints.
set -uo pipefail

passes=0
failures=0
remote() { "$WINE" "$QN520_REMOTE" "$@" 2>&1 | tr -d '\r'; }
# expect DESCRIPTION PATTERN COMMAND...: the command's output, its lines joined by blanks, must
# match PATTERN (grep -E).
expect() {
    local what=$1 pattern=$2
    shift 2
    local out
    out=$(remote "$@" | tr '\n' ' ' | sed 's/ *$//')
    if grep -qE -- "$pattern" <<<"$out"; then
        echo "ok: $what"
        passes=$((passes + 1))
    else
        echo "FAILED: $what: remote $*"
        echo "  wanted /$pattern/, got:"
        echo "    $out"
        failures=$((failures + 1))
    fi
}

expect "reset" '^$' reset
expect "holding Power by name" 'raw code 30 \(button 18\) until release' hold power
expect "the register shows it" 'remote register 0x1E' state
expect "release" '^$' release
expect "the register is idle again" 'remote register 0x40' state
expect "a timed hold by button number" 'raw code 9 \(button 5\) for 300 ms' hold 5 --ms 300
expect "a fault is armed" '^$' fault get --error 21 --pend held
expect "and counted" '1 faults armed' state
expect "a hung driver's fault" '^$' fault select --pend stuck
expect "counted too" '2 faults armed' state
expect "an unknown key is refused" 'no key "11"' hold 11
expect "a press nobody reads times out" 'not read within 2 s' press raw:7
expect "and leaves the key up" 'remote register 0x40' state
expect "a key on a second device" 'raw code 30' --device 2 hold power
expect "shows there" 'remote register 0x1E' --device 2 state
expect "and not on the first" 'remote register 0x40' state
expect "filters can be registered" '^$' filter clear
expect "by name and device" '^$' --device 1 filter add "Taviro QN52X Video Capture" --instance b
expect "or without a handle" '^$' filter add "Solvanta QN52X Video Capture" --none --instance a
expect "and are listed in the enumerator's order, with their devices" \
    'Solvanta QN52X Video Capture +\{.*Taviro QN52X Video Capture +\\\\\.\\QN520Card1' filter list
expect "usage on nonsense" 'usage: remote' frobnicate
expect "the driver's host can be ended" '^$' end-host
expect "and the next command starts the card again, idle" \
    'remote register 0x40, .* 0 faults armed, 0 requests' state
remote filter clear >/dev/null

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
