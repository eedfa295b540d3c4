#!/usr/bin/env bash
# "clean descent now": the save-first question; Cancel does nothing; No opens the clean-now
# window at once, which cleans by the settings stored before (every ship logo backed up, the
# foreign ones and the foreign taunts deleted, the own ones kept) although the window shows
# other choices; Yes saves first, so the window cleans by what the player chose. In German the
# question, the window's caption, its rows and its counters are German.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_clean_now

make_scourix_folder
make_game_folder
mkdir -p "$C_DRIVE/Backup/Logos"
write_default_settings LogoNoAction=0 LogoBackupOthers=1 LogoBackupPath='C:\Backup\Logos' \
    TauntNoAction=0 TauntDeleteOthers=1
write_keep_list "$PROG/logos.ini" MyShip.ogf
write_keep_list "$PROG/taunts.ini" Hello.osf
put_files "$GAME/custom/graphics" MyShip.ogf Viper_0badf00d.ogf Nomad_12345678.oaf
put_files "$GAME/custom/sounds" Hello.osf Viper_0badf00d.osf Nomad_12345678.osf
snapshot stored

# wait_counters WINDOW TEXT: the four counters of the clean-now window end with TEXT.
wait_counters() {
    local deadline=$((SECONDS + 30)) t all
    while :; do
        all=""
        for t in txt1 txt2 txt3 txt4; do all+="$(WIN=$1 ui_field "$t" text) "; done
        [[ "$all" == "$2 $2 $2 $2 " ]] && return 0
        ((SECONDS < deadline)) || fail "counters of [$1] after 30 s: $all"
        sleep 0.2
    done
}

start_scourix
wait_main_window
ui_click nosoundaktion

ui_menu "&action/clean descent now" --post
expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question Cancel
if drive wait-window --title "clean......" --timeout 2000; then fail "Cancel opened the clean-now window"; fi
assert_listing "$GAME/custom/sounds" Hello.osf Viper_0badf00d.osf Nomad_12345678.osf
assert_unchanged stored "Cancel"

ui_menu "&action/clean descent now" --post
expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question No
drive wait-window --title "clean......" --timeout 10000 || fail "No did not open the clean-now window"
wait_counters "clean......" finish
assert_listing "$GAME/custom/sounds" Hello.osf
assert_listing "$GAME/custom/graphics" MyShip.ogf
assert_listing "$C_DRIVE/Backup/Logos" MyShip.ogf Viper_0badf00d.ogf Nomad_12345678.oaf
assert_same_content "$C_DRIVE/Backup/Logos/Nomad_12345678.oaf" <(printf 'content of Nomad_12345678.oaf\n') \
    "backed-up logo"
assert_unchanged stored "No saves nothing"
WIN="clean......" assert_ui Label1 text " work on shiplogos :"
WIN="clean......" assert_ui Label2 text " work on taunts :"
WIN="clean......" assert_ui okende text ok
check_layout "clean......"
screenshot scourix-clean-now
WIN="clean......" ui_click okende
drive wait-window --title "clean......" --gone --timeout 10000 || fail "ok did not close the clean-now window"
scourix_running || fail "Scourix ended with the clean-now window"

# Yes: saved first, so "no action" for taunts now holds; the logos are still backed up.
put_files "$GAME/custom/graphics" Hawk_00000001.ogf
put_files "$GAME/custom/sounds" Hawk_00000001.osf
ui_menu "&action/clean descent now" --post
expect_box scourix "Configuration must be save ! Save now ?" "Yes|No|Cancel" question Yes
drive wait-window --title "clean......" --timeout 10000 || fail "Yes did not open the clean-now window"
wait_counters "clean......" finish
assert_eq '"1"' "$(sed -n 7p "$PROG/scourix.ini" | tr -d '\r')" "TauntNoAction saved by Yes"
assert_listing "$GAME/custom/sounds" Hello.osf Hawk_00000001.osf
assert_listing "$GAME/custom/graphics" MyShip.ogf
assert_listing "$C_DRIVE/Backup/Logos" MyShip.ogf Viper_0badf00d.ogf Nomad_12345678.oaf Hawk_00000001.ogf
WIN="clean......" ui_click okende

# German: the question, and the window by the language just saved.
ui_menu "&file/scourix language/german"
ui_click soundkill
ui_menu "&Aktion/Descent jetzt aufräumen" --post
expect_box scourix "Konfiguration muss zuerst gespeichert werden! Jetzt speichern?" "Yes|No|Cancel" \
    question Yes
drive wait-window --title "Säubere...." --timeout 10000 || fail "no German clean-now window"
wait_counters "Säubere...." Fertig
assert_listing "$GAME/custom/sounds" Hello.osf
WIN="Säubere...." assert_ui Label1 text " Bearbeite Schiffslogo"
WIN="Säubere...." assert_ui Label2 text " Bearbeite Audiotaunts"
check_layout "Säubere...."
screenshot scourix-clean-now-de
WIN="Säubere...." ui_click okende

drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
