#!/usr/bin/env bash
# "del *.stats-files now" deletes the statistics files of the game's netgames folder, keeps the
# other files and says how many it deleted, also with the automatic setting off; without a
# netgames folder it says "Error ! Path not found". The info window: from "MusicTester" with
# the sound tester's hint and download button, from "Scourix" without; both languages.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_stats_info

make_scourix_folder
make_game_folder
write_default_settings DeleteStats=0
put_files "$GAME/netgames" one.stats two.stats Three.STATS hosts.allow autoexec.dmfc
put_files "$GAME" top.stats

start_scourix
wait_main_window
ui_click delstadjetzt --post
drive box --title scourix --timeout 30000 || fail "no statistics message"
screenshot scourix-stats
expect_box scourix " 3 stats-files deleted !" OK information OK
assert_listing "$GAME/netgames" hosts.allow autoexec.dmfc
assert_file_exists "$GAME/top.stats" "a statistics file outside netgames"
if drive wait-window --title stadkiller --timeout 1000; then fail "the statistics remover showed itself"; fi
ui_click delstadjetzt --post
expect_box scourix " 0 stats-files deleted !" OK information OK

# Info from "MusicTester": the hint and its download button.
ui_menu "&info/MusicTester"
drive wait-window --title info --timeout 10000 || fail "no info window"
WIN=info assert_ui Frame2 visible 1 "the sound-tester panel"
WIN=info assert_ui Label2 text "comment :"
version=$(sed -n 's/^project(Scourix VERSION \([0-9.]*\).*/\1/p' "$E2E_REPO/CMakeLists.txt")
WIN=info assert_ui lblVersion text "Version $version"
assert_contains "$(WIN=info ui_field Label4 text)" "Musictester is a Tool of " "the hint"
check_layout info
screenshot scourix-info-musictester
WIN=info ui_click ok
drive wait-window --title info --gone --timeout 10000 || fail "ok did not close the info window"

ui_menu "&info/Scourix"
drive wait-window --title info --timeout 10000 || fail "no info window from Scourix"
WIN=info assert_ui Frame2 visible 0 "no sound-tester panel"
check_layout info
screenshot scourix-info
WIN=info ui_click ok

# German; the statistics message too, and a game folder without netgames.
ui_menu "&file/scourix language/german"
ui_menu "&Info/MusicTester"
drive wait-window --title Info --timeout 10000 || fail "no German info window"
WIN=Info assert_ui Label2 text "Anmerkung:"
assert_contains "$(WIN=Info ui_field Label4 text)" "Musictester ist ein Tool von " "the German hint"
check_layout Info
screenshot scourix-info-musictester-de
WIN=Info ui_click ok
ui_menu "&Info/Scourix"
drive wait-window --title Info --timeout 10000 || fail "no German info window from Scourix"
screenshot scourix-info-de

# Scourix's close closes the info window with it.
put_files "$GAME/netgames" four.stats
ui_click delstadjetzt --post
drive box --title scourix --timeout 30000 || fail "no statistics message"
screenshot scourix-stats-de
expect_box scourix " 1 Stats-Dateien gelöscht !" OK information OK
rm -r "$GAME/netgames"
ui_click delstadjetzt --post
expect_box scourix "Error ! Path not found" OK error OK

drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
