#!/usr/bin/env bash
# The side-program editor: a first run writes five empty slots; a program browsed into row 3
# through the drive, folder and file lists ticks only its row, "save" writes shelllist.txt
# byte for byte, and the real Gatefire then starts it with the game. Closing otherwise saves
# nothing. In German the window is German.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_side_programs

make_scourix_folder
make_game_folder
write_default_settings
rm "$PROG/shelllist.txt"
put_side_program 'C:\Tools' voice.exe
put_files "$C_DRIVE/Tools" readme.txt

W="start with Gatefire....."
start_scourix
wait_main_window
ui_menu "&extra/start with Gatefire"
drive wait-window --title "$W" --timeout 10000 || fail "no side-program window"
assert_bytes "$PROG/shelllist.txt" \
    '""\r\n""\r\n"0"\r\n""\r\n""\r\n"0"\r\n""\r\n""\r\n"0"\r\n""\r\n""\r\n"0"\r\n""\r\n""\r\n"0"\r\n' \
    "the first-run shelllist.txt"
for r in 1 2 3 4 5; do
    WIN=$W assert_ui "pr$r" text ""
    WIN=$W assert_ui "a$r" enabled 0
done
WIN=$W assert_ui brfenster visible 0 "browse panel before a browse button"
check_layout "$W"
screenshot scourix-side-programs

WIN=$W ui_click br3
WIN=$W assert_ui brfenster visible 1 "browse panel after br3"
screenshot scourix-side-programs-browse
WIN=$W ui_select Verzeichnis --item 'C:\' --dblclick
WIN=$W ui_select Verzeichnis --item Tools --dblclick
WIN=$W assert_items File1 voice.exe
WIN=$W ui_select File1 --item voice.exe
WIN=$W assert_ui brfenster visible 0 "browse panel after the click on a program"
WIN=$W assert_ui pr3 text 'C:\Tools\voice.exe'
for r in 1 2 4 5; do WIN=$W assert_ui "a$r" checked 0 "start box $r"; done
WIN=$W assert_ui a3 checked 1 "start box 3"
WIN=$W ui_click save
drive wait-window --title "$W" --gone --timeout 10000 || fail "save did not close the window"
assert_bytes "$PROG/shelllist.txt" \
    '""\r\n""\r\n0\r\n""\r\n""\r\n0\r\n"voice.exe"\r\n"C:\\Tools"\r\n1\r\n""\r\n""\r\n0\r\n""\r\n""\r\n0\r\n' \
    "shelllist.txt saved"
snapshot saved

# German; a change closed away by the main window is not saved.
ui_menu "&file/scourix language/german"
ui_menu "&Extra/starte mit Gatefire"
drive wait-window --title "starte mit Gatefire....." --timeout 10000 || fail "no German window"
WIN="starte mit Gatefire....." assert_ui save text sichern
WIN="starte mit Gatefire....." assert_ui pr3 text 'C:\Tools\voice.exe'
check_layout "starte mit Gatefire....."
screenshot scourix-side-programs-de
WIN="starte mit Gatefire....." ui_settext pr3 ""
WIN="starte mit Gatefire....." assert_ui a3 checked 0
drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end
assert_unchanged saved "the editor closed with Scourix saves nothing"

start_gatefire
wait_for_file "$GAME/launched.txt" 60
wait_gatefire
assert_file_exists "$C_DRIVE/Tools/side_started.txt" "Gatefire started the side program"
assert_eq "started cwd=C:\\Tools args=" "$(tr -d '\r' <"$C_DRIVE/Tools/side_started.txt")" \
    "the side program's start"

e2e_pass
