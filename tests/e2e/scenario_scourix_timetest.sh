#!/usr/bin/env bash
# "start timetest now" starts the game's time test by its full path in the game folder, with the
# selected switches and "-timetest secret2.dem ", the game folder as working folder; another
# Main.exe in Scourix's own folder is not started. A game folder that cannot be reached says
# so. "view fsp.txt" appends its seven lines to a log of 501 lines and opens it in Notepad; a
# log of 502 lines is refused and left as it was.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_timetest

make_scourix_folder
make_game_folder
write_default_settings
write_keys_ini "110" nointro "framecap 0" nosound
# A program of the same name where a bare name would find it first.
cp "$STANDINS/Main.exe" "$PROG/Main.exe"

start_scourix
wait_main_window
ui_menu "&action/start timetest now" --post
expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question No
wait_for_file "$GAME/launched.txt" 30
assert_eq "-nointro -framecap 0 -timetest secret2.dem " "$(launched cmdline)" "time-test parameters"
assert_eq "$GAME_WIN" "$(launched cwd)" "time-test working folder"
assert_missing "$PROG/launched.txt" "the Main.exe beside Scourix was started"

# No switch: the parameters alone.
rm "$GAME/launched.txt"
ui_select keylist --index 0 --off
ui_select keylist --index 1 --off
ui_menu "&action/start timetest now" --post
expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question Yes
wait_for_file "$GAME/launched.txt" 30
assert_eq "-timetest secret2.dem " "$(launched cmdline)" "time-test parameters without switches"

# A game folder that does not exist.
rm "$GAME/launched.txt"
ui_settext d3path 'C:\Nowhere'
ui_menu "&action/start timetest now" --post
expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question No
expect_box scourix "ERROR ! Can't start Descent !" OK error OK
ui_settext d3path "$GAME_WIN"

# The frame-rate log: 501 lines take the block; Notepad opens on the file.
for i in $(seq 1 501); do printf 'frame %d\r\n' "$i"; done >"$GAME/fps.txt"
ui_select keylist --index 2
ui_menu "&action/view fsp.txt" --post
expect_box scourix "add commandline to fps.txt ?" "Yes|No|Cancel" question Yes
drive wait-window --title "fps.txt - Notepad" --timeout 30000 || fail "Notepad did not show fps.txt"
screenshot scourix-fps-notepad
assert_eq 508 "$(wc -l <"$GAME/fps.txt")" "lines after the append"
version=$(sed -n 's/^project(Scourix VERSION \([0-9.]*\).*/\1/p' "$E2E_REPO/CMakeLists.txt")
assert_bytes <(tail -n 7 "$GAME/fps.txt") \
    "demo : secret2.dem\r\n\r\nkey's : \r\n\r\n-nosound \r\n\r\n** Scourix Version :${version} **\r\n" \
    "the appended block"
drive close --window "fps.txt - Notepad"
drive wait-window --title "fps.txt - Notepad" --gone --timeout 10000 || fail "Notepad stayed"

# 502 lines: refused, the file as it was, no Notepad.
for i in $(seq 1 502); do printf 'frame %d\r\n' "$i"; done >"$GAME/fps.txt"
cp "$GAME/fps.txt" "$SC_DIR/fps-before.txt"
ui_menu "&action/view fsp.txt" --post
expect_box scourix "add commandline to fps.txt ?" "Yes|No|Cancel" question Yes
expect_box scourix "none fps.txt there !" OK error OK
assert_same_content "$SC_DIR/fps-before.txt" "$GAME/fps.txt" "a refused append"
if drive wait-window --title "fps.txt - Notepad" --timeout 2000; then fail "Notepad opened"; fi

# German.
ui_menu "&file/scourix language/german"
ui_menu "&Aktion/fps.txt ansehen" --post
expect_box scourix "Keyinfo's zur TXT hinzufügen ?" "Yes|No|Cancel" question Yes
expect_box scourix "Keine fps.txt vorhanden !" OK error OK

drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
