#!/usr/bin/env bash
# The direct-join window: closed without a join it records the choices without a request; a
# join typed in the window saves, starts the real Gatefire, which takes the game to the server,
# and Scourix ends by itself. The request the join wrote is the one Gatefire reads: afterwards
# direckt.ini holds the target with mode "0". A join whose Gatefire cannot start withdraws its
# request and keeps Scourix open. In German the window is German.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_direct_join

make_scourix_folder
make_game_folder
write_default_settings
write_keys_ini "010" nointro "framecap 0" nosound

start_scourix
wait_main_window
ui_menu "&extra/direct joint"
drive wait-window --title "Joint a Game" --timeout 10000 || fail "no direct-join window"
WIN="Joint a Game" assert_ui teilnehmen text "joint game now"
WIN="Joint a Game" assert_ui pxo checked 1
WIN="Joint a Game" assert_ui iptext text ""
check_layout "Joint a Game"
screenshot scourix-direct-join

# Closed with PXO and no address: the switch alone, no request.
WIN="Joint a Game" ui_click jointfrage
drive close --window "Joint a Game"
drive wait-window --title "Joint a Game" --gone --timeout 10000 || fail "the window stayed"
assert_bytes "$PROG/direckt.ini" '"-pxo "\r\n"0"\r\n"1"\r\n' "direckt.ini after a close"

# Reopened, the choices are back; a TCP/IP join with the switch list as the window shows it.
ui_menu "&extra/direct joint"
drive wait-window --title "Joint a Game" --timeout 10000 || fail "no direct-join window"
WIN="Joint a Game" assert_ui jointfrage checked 1
WIN="Joint a Game" ui_click jointfrage
WIN="Joint a Game" ui_settext iptext "10.20.30.40:2092"
WIN="Joint a Game" ui_click tcpip
ui_select keylist --index 2 --add
WIN="Joint a Game" ui_click teilnehmen
wait_scourix_end 30
wait_for_file "$GAME/launched.txt" 60
assert_eq "-Launched -framecap 0 -nosound  -directip 10.20.30.40:2092" "$(launched cmdline)" \
    "the game's command line"
assert_eq "$GAME_WIN" "$(launched cwd)" "the game's working folder"
assert_bytes "$PROG/direckt.ini" '"-directip 10.20.30.40:2092"\r\n"0"\r\n"0"\r\n' \
    "direckt.ini after the join: the request was read and turned off"
assert_eq '"***011"' "$(tail -n1 "$PROG/keys.ini" | tr -d '\r')" "the join saved the switches"

# A join whose Gatefire cannot start: the request is withdrawn, the player is told, and Scourix
# stays open.
mv "$PROG/gatefire.exe" "$PROG/gatefire.off"
start_scourix
wait_main_window
ui_menu "&extra/direct joint"
drive wait-window --title "Joint a Game" --timeout 10000 || fail "no direct-join window"
WIN="Joint a Game" ui_click teilnehmen
expect_box scourix "Gatefire could not be started:\\n$PROG_WIN\\gatefire.exe\\nNo server is joined; Scourix stays open." \
    OK error OK
assert_bytes "$PROG/direckt.ini" '"-directip 10.20.30.40:2092"\r\n"0"\r\n"0"\r\n' \
    "direckt.ini after a join whose Gatefire did not start"
scourix_running || fail "Scourix ended after a join whose Gatefire did not start"
WIN="Joint a Game" assert_ui iptext text "10.20.30.40:2092"
mv "$PROG/gatefire.off" "$PROG/gatefire.exe"
stop_scourix

# German.
write_default_settings Language=1
write_direckt_ini "-pxo 1.2.3.4:2092" 2 0
start_scourix
wait_main_window
ui_menu "&Extra/direkt teilnehmen"
drive wait-window --title "an einem Spiel teilnehmen" --timeout 10000 || fail "no German window"
WIN="an einem Spiel teilnehmen" assert_ui iptext text "1.2.3.4:2092"
WIN="an einem Spiel teilnehmen" assert_ui immer checked 1
WIN="an einem Spiel teilnehmen" assert_ui teilnehmen text "Jetzt am Spiel teilnehmen"
check_layout "an einem Spiel teilnehmen"
screenshot scourix-direct-join-de

# The main window's close closes the window, which writes its file.
WIN="an einem Spiel teilnehmen" ui_settext iptext "5.6.7.8:2092"
drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end
assert_bytes "$PROG/direckt.ini" '"-pxo 5.6.7.8:2092"\r\n"2"\r\n"0"\r\n' "direckt.ini after Scourix's close"

e2e_pass
