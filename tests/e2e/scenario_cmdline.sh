#!/usr/bin/env bash
# The game's command line: "-Launched ", the pilot (in double quotes when the name holds a
# blank, so that the game's own splitting keeps it one argument), every selected switch in
# keys.ini order (inner blanks kept, a flag string shorter than the list leaves the rest off),
# started from the game folder: a Main.exe in Gatefire's own folder is never started instead.
source "$(dirname "$0")/lib.sh"
e2e_begin cmdline

make_program_folder
make_game_folder
cp "$STANDINS/Main.exe" "$PROG/Main.exe"
write_default_settings UsePilot=1 'PilotName=Red Baron'
write_keys_ini "0101x1" "deadzone0 0.0" "nointro" "nomusic" "framecap 0" "vsync" "useport 2092" \
    "highvidmem"

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_eq '-Launched -pilot "Red Baron" -nointro -framecap 0 -useport 2092 ' \
    "$(launched cmdline)" "game command line"
assert_eq "-LAUNCHED|-PILOT|RED BARON||-NOINTRO|-FRAMECAP|0|-USEPORT|2092|" "$(launched args)" \
    "the command line as the game splits it"
assert_eq "$GAME_WIN" "$(launched cwd)" "game working folder"
assert_missing "$PROG/launched.txt" "the Main.exe in the program folder must not start"

e2e_pass
