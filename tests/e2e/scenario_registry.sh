#!/usr/bin/env bash
# The game's registry values from network.ini and the pilot, in the view the 32-bit game reads:
# checked through the game stand-in and through reg.exe. A second start with other settings
# replaces what its conditions select and keeps the rest.
source "$(dirname "$0")/lib.sh"
e2e_begin registry

make_program_folder
make_game_folder
write_default_settings PilotName=Ace UsePilot=0
write_network_ini German 0 0 1 0 0 1 0 0 1 0 pilot7 'sécret!'

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_eq "Ace.plt" "$(launched reg.Default_pilot)" "Default_pilot seen by the game"
assert_eq "dword:1" "$(launched reg.LanguageType)" "LanguageType seen by the game"
assert_eq "German" "$(launched reg.KeyboardType)" "KeyboardType seen by the game"
assert_eq "LAN" "$(launched reg.NetworkConnection)" "NetworkConnection seen by the game"
assert_eq "Cable" "$(launched reg.ConnectionSpeed)" "ConnectionSpeed seen by the game"
assert_eq "pilot7" "$(launched reg.TrackerLogin)" "TrackerLogin seen by the game"
assert_eq "sécret!" "$(launched reg.TrackerPassword)" "TrackerPassword seen by the game"
assert_eq "REG_SZ Ace.plt" "$(reg_value Default_pilot)" "reg query Default_pilot"
assert_eq "REG_DWORD 0x1" "$(reg_value LanguageType)" "reg query LanguageType"
assert_eq "REG_SZ German" "$(reg_value KeyboardType)" "reg query KeyboardType"
assert_eq "REG_SZ LAN" "$(reg_value NetworkConnection)" "reg query NetworkConnection"
assert_eq "REG_SZ Cable" "$(reg_value ConnectionSpeed)" "reg query ConnectionSpeed"
assert_eq "REG_SZ pilot7" "$(reg_value TrackerLogin)" "reg query TrackerLogin"
assert_eq "-Launched " "$(launched cmdline)" "no pilot switch with UsePilot 0"

# Lower-case language, keyboard US, no connection or speed chosen, no tracker login.
rm "$GAME/launched.txt"
write_network_ini english 1 0 0 0 1 0 0 0 0 0 "" ""
write_scourix_ini PilotName=""
start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_eq "Ace.plt" "$(launched reg.Default_pilot)" "Default_pilot kept with an empty pilot"
assert_eq "dword:1" "$(launched reg.LanguageType)" "LanguageType kept for 'english'"
assert_eq "United States" "$(launched reg.KeyboardType)" "KeyboardType replaced"
assert_eq "Dialup" "$(launched reg.NetworkConnection)" "NetworkConnection replaced"
assert_eq "Cable" "$(launched reg.ConnectionSpeed)" "ConnectionSpeed kept"
assert_eq "pilot7" "$(launched reg.TrackerLogin)" "TrackerLogin kept"
assert_eq "sécret!" "$(launched reg.TrackerPassword)" "TrackerPassword kept"

# Without network.ini nothing is written, and the game still starts.
rm "$GAME/launched.txt" "$PROG/network.ini"
write_scourix_ini PilotName=Bob
start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire
assert_eq "Ace.plt" "$(launched reg.Default_pilot)" "Default_pilot untouched without network.ini"

e2e_pass
