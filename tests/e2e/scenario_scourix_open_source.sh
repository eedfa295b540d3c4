#!/usr/bin/env bash
# Scourix on the open-source game: the game settings page shows what .Descent3Registry in the
# player's folder holds (not the retail registry) and the version of Descent3.exe; the pilot list
# comes from the player's folder; the time test and the frame-rate log say in the player's
# language that this edition has none and start nothing, unless the retail Main.exe stands beside
# it, whose time test then runs. The player saves the page, leaves, and
# Gatefire writes the saved choices into the file the game reads.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_open_source

make_scourix_folder
make_open_source_game_folder
write_default_settings UsePilot=1 PilotName=Alice
rm -f "$PROG/network.ini"
printf 'alice' >"$USER_D3/Alice.plt"
printf 'retail' >"$GAME/Retail.plt"
settings_file=$USER_D3/.Descent3Registry
printf '%s\r\n' '[Version]' '[Descent3]' '"TrackerLogin"="pilot one"' '"TrackerPassword"="s3cret"' \
    '"LanguageType"=dword:1' '"KeyboardType"="German"' '"NetworkConnection"="DIALUP"' \
    '"ConnectionSpeed"="ISDN"' '"ClientPPS"=dword:8' '"Gamma"="1.5"' >"$settings_file"
# A retail installation's registry on the same machine: not what this game reads.
reg_add TrackerLogin REG_SZ "retail login"

start_scourix
wait_main_window
assert_eq "Alice" "$(ui_items pilotname)" "pilots of the player's folder"

ui_menu "&file/Descent 3 Network etc"
assert_ui username text "pilot one"
assert_ui passwort text "s3cret"
assert_ui d3sprache text German
assert_ui keyger checked 1
assert_ui icondialup checked 1
assert_ui iconlan checked 0
assert_ui csisdn checked 1
assert_ui d3version text "1.6.0"
check_layout Scourix
screenshot scourix-open-source-game-settings

ui_click keyfr
ui_click iconlan
ui_click csfast
ui_click d3sichern
assert_ui d3misc visible 0 "the page after ok"

# Without the retail Main.exe beside it, this edition has no time test and no log.
mv "$GAME/Main.exe" "$SC_DIR/Main.exe"
ui_menu "&action/start timetest now" --post
expect_box scourix "This edition of the game (Descent3.exe) has no time test and no fps.txt." OK information OK
ui_menu "&action/view fsp.txt" --post
expect_box scourix "This edition of the game (Descent3.exe) has no time test and no fps.txt." OK information OK
assert_missing "$GAME/launched.txt" "nothing started for the time test"
assert_missing "$GAME/fps.txt" "no frame-rate log made"

# The retail Main.exe beside it, as players often keep it: the time test is that program's.
mv "$SC_DIR/Main.exe" "$GAME/Main.exe"
ui_menu "&action/start timetest now" --post
expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question No
wait_for_file "$GAME/launched.txt" 30
assert_contains "$(launched cmdline)" "-timetest secret2.dem" "the time test's parameters"
if grep -q '^settings=' "$GAME/launched.txt"; then fail "Descent3.exe was started for the time test"; fi
rm "$GAME/launched.txt"

ui_menu "&file/exit" --post
expect_box scourix "save config now ?" "Yes|No|Cancel" question Yes
wait_scourix_end

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire
assert_eq "Descent3.exe" "$(launched program)" "the program started"
assert_eq "-Launched -pilot Alice " "$(launched cmdline)" "game command line"
assert_eq "Alice.plt" "$(launched file.Default_pilot)" "pilot the game read"
assert_eq "dword:1" "$(launched file.LanguageType)" "language the game read"
assert_eq "French" "$(launched file.KeyboardType)" "keyboard the game read"
assert_eq "LAN" "$(launched file.NetworkConnection)" "connection the game read"
assert_eq "dword:12" "$(launched file.ClientPPS)" "packets per second the game read"
assert_eq "pilot one" "$(launched file.TrackerLogin)" "login the game read"
assert_contains "$(cat "$settings_file")" '"Gamma"="1.5"' "a value of the game's own kept"

e2e_pass
