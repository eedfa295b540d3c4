#!/usr/bin/env bash
# "save config" writes scourix.ini, logos.ini, taunts.ini and keys.ini exactly: first unchanged
# after a load, then with what the player changed in the window (pilot, choices, backup
# folder, statistics, lists, switches, language), without a message. A pilot put away moves to
# the game's custom folder. An emptied keep list is saved as an empty file. A file that cannot
# be written is named to the player, and a close that cannot save keeps the window open.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_save

make_scourix_folder
make_game_folder
put_files "$GAME" Ace.plt Bob.plt Cid.plt
write_default_settings TauntBackupPath='C:\Backup\Taunts' TauntNoAction=0 TauntBackupOthers=1 \
    PilotName=Ace MusicTesterPath='C:\MT\MusicTester.exe' AutoCloseTester=1
write_keep_list "$PROG/logos.ini" MyShip.ogf Old.ogf MyWings.oaf
write_keep_list "$PROG/taunts.ini" Hello.osf Bye.osf
write_keys_ini 10 nointro vsync
snapshot loaded

start_scourix
wait_main_window
assert_items pilotname Ace Bob Cid
assert_ui pilotname selected 0 "the stored pilot is selected"
assert_ui usesoundssicheern checked 1
assert_ui soundssicherpath enabled 1 "taunt backup folder with backup chosen"
assert_ui play1 enabled 1 "preview with a MusicTester path"

ui_menu "&file/save config"
expect_no_box
assert_unchanged loaded "save right after the load"

# The pilots: a click on another pilot moves the selection to it; "-" puts one away.
ui_select pilotname --index 1 --add
assert_ui pilotname selected 1 "Bob clicked after Ace: only Bob stays selected"
ui_select pilotname --index 2 --add
assert_ui pilotname selected 2 "Cid clicked after Bob: only Cid stays selected"
ui_click pilotwech
assert_items pilotname Ace Bob
assert_missing "$GAME/Cid.plt" "the pilot put away"
assert_file_exists "$GAME/custom/Cid.plt" "the pilot put away"
ui_select pilotname --index 1 --add
assert_ui pilotname selected 1
ui_click usepilot
assert_ui usepilot checked 1

ui_click soundkill
assert_ui soundssicherpath enabled 0 "taunt backup folder without backup chosen"
assert_ui soundssicherpath text 'C:\Backup\Taunts' "the folder text stays"
ui_click usegraficsicher
ui_settext graficsicherpath 'C:\Backup\Logos'
assert_ui auslagergraf enabled 1
ui_click delstad

ui_select logo --index 1
ui_click logominus
assert_items logo MyShip.ogf MyWings.oaf

ui_click newkey --post
expect_input "new key.." "insert the key without '-' !" "" OK "framecap 0"
ui_select keylist --index 1 --add
ui_menu "&file/scourix language/german"

ui_menu "&Datei/Konfiguration speichern"
expect_no_box
assert_bytes "$PROG/scourix.ini" \
    '"C:\\Games\\Descent3"\r\n"C:\\Backup\\Logos"\r\n"C:\\Backup\\Taunts"\r\n"0"\r\n"0"\r\n"1"\r\n"0"\r\n"1"\r\n"0"\r\n1\r\n"Bob"\r\n"1"\r\n1\r\n"C:\\MT\\MusicTester.exe"\r\n1\r\n' \
    "scourix.ini"
assert_bytes "$PROG/logos.ini" '"MyShip.ogf"\r\n"MyWings.oaf"\r\n' "logos.ini"
assert_bytes "$PROG/taunts.ini" '"Hello.osf"\r\n"Bye.osf"\r\n' "taunts.ini"
assert_bytes "$PROG/keys.ini" '"nointro"\r\n"vsync"\r\n"framecap 0"\r\n"***110"\r\n' "keys.ini"
assert_same_content "$SC_DIR/snap-loaded/network.ini" "$PROG/network.ini" "network.ini untouched"
assert_same_content "$SC_DIR/snap-loaded/direckt.ini" "$PROG/direckt.ini" "direckt.ini untouched"
assert_same_content "$SC_DIR/snap-loaded/shelllist.txt" "$PROG/shelllist.txt" "shelllist.txt untouched"

# Every taunt taken off the list: the list is saved empty and stays empty.
for _ in 1 2; do
    ui_select mysounds --index 0
    ui_click mysoundminus
done
ui_menu "&Datei/Konfiguration speichern"
assert_bytes "$PROG/taunts.ini" '' "an emptied taunt list"

# A settings file that cannot be replaced (a folder of its name stands in for a locked file):
# the player is told which one, the others are written, and a close that cannot save stays open.
cp "$PROG/keys.ini" "$SC_DIR/keys.saved"
rm "$PROG/keys.ini"
mkdir "$PROG/keys.ini"
ui_click delstad
CANNOT_WRITE="Diese Einstellungsdateien konnten nicht geschrieben werden; sie behalten ihren bisherigen Inhalt:\\n$PROG_WIN\\keys.ini\\n\\nIst der Ordner schreibgeschützt oder der Datenträger voll?"
ui_menu "&Datei/Konfiguration speichern" --post
expect_box scourix "$CANNOT_WRITE" OK error OK
assert_eq 0 "$(sed -n 13p "$PROG/scourix.ini" | tr -d '\r')" "scourix.ini written beside the failed file"
drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question Yes
expect_box scourix "$CANNOT_WRITE" OK error OK
drive wait-window --title Scourix --timeout 2000 || fail "a close whose save failed ended Scourix"
rmdir "$PROG/keys.ini"
cp "$SC_DIR/keys.saved" "$PROG/keys.ini"
drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

start_scourix
wait_main_window
assert_items mysounds
assert_items logo MyShip.ogf MyWings.oaf
assert_ui pilotname selected 1 "the saved pilot is selected at the next start"
assert_ui grafkill checked 0
assert_ui usegraficsicher checked 1
assert_ui delstad checked 0 "statistics option as saved beside the failed keys.ini"
drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
