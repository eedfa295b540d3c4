#!/usr/bin/env bash
# The open-source game's lock file in the temporary folder: one naming a process that runs another
# program (process 1, this shell) was left behind, and Gatefire starts the game over it; one
# naming a running copy of the game, started from another folder, stops Gatefire with a message,
# and nothing is started.
source "$(dirname "$0")/lib.sh"
e2e_begin gatefire_lock

export TMPDIR=$SC_DIR/tmp
lock=$TMPDIR/Descent3/cache/.lock
mkdir -p "${lock%/*}"
write_lock() { # PID: "LOCK" and the id, four bytes lowest first
    printf 'LOCK' >"$lock"
    printf '%b' "$(printf '\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24)))" >>"$lock"
}
write_settings

for pid in 1 $$; do
    write_lock "$pid"
    rm -f "$GAME/launched.txt"
    start_program gatefire
    wait_for_file "$GAME/launched.txt"
    wait_end "$LAST_PID"
    assert_eq Descent3 "$(launched program)" "the game started over a lock naming process $pid"
done

# A copy of the game in another folder runs and holds the lock.
mkdir -p "$SC_DIR/copy"
cp "$STANDINS/Descent3" "$SC_DIR/copy/"
: >"$SC_DIR/copy/hold"
(cd "$SC_DIR/copy" && exec ./Descent3) &
PIDS+=($!)
wait_for_file "$SC_DIR/copy/running.txt"
write_lock "${PIDS[-1]}"
rm -f "$GAME/launched.txt"
start_program gatefire
screenshot gatefire-game-running "Gatefire error"
press "Gatefire error" Return
wait_end "$LAST_PID"
[[ ! -e "$GAME/launched.txt" ]] || fail "a second game was started over the running one"
rm "$SC_DIR/copy/hold"
note "passed"
