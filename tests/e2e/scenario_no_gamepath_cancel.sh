#!/usr/bin/env bash
# No game folder set up, German interface: the question comes in German; Cancel just ends
# Gatefire without starting anything. In each other interface language the question comes in
# that language, as its catalogue has it.
source "$(dirname "$0")/lib.sh"
e2e_begin no_gamepath_cancel

make_program_folder
cp "$STANDINS/scourix.exe" "$PROG/"
make_game_folder
write_default_settings GamePath="" Language=1 PilotName=Ace

start_gatefire
expect_box gatefire "Bitte starte zuerst Scourix ! Soll Scourix jetzt gestartet werden?" \
    "OK|Cancel" information Cancel
wait_gatefire

assert_missing "$PROG/scourix_started.txt" "Cancel must not start Scourix"
assert_missing "$GAME/launched.txt" "the game must not start"
assert_eq "" "$(reg_query)" "registry key of the game (must not be created)"

question="please start scourix first ! start scourix now ?"
for language in 2:en 3:fr 4:es 5:it; do
    code=${language#*:}
    write_default_settings GamePath="" Language="${language%%:*}" PilotName=Ace
    expected=$(catalogue_text "$code" "$question")
    [[ -n "$expected" && ("$code" == en || "$expected" != "$question") ]] ||
        fail "the $code catalogue has no translation of the question"
    start_gatefire
    expect_box gatefire "$expected" "OK|Cancel" information Cancel
    wait_gatefire
done
assert_missing "$PROG/scourix_started.txt" "Cancel must not start Scourix"
assert_missing "$GAME/launched.txt" "the game must not start"

e2e_pass
