#!/usr/bin/env bash
# The game settings page: without network.ini it shows the game's registry values (32-bit view,
# as Gatefire writes them) with the version from the Version key, while it is open the file,
# action and extra menus are disabled and the password box masks what it holds; "ok" writes
# network.ini, the next opening shows what it saved, "cancel" writes nothing. A game without a
# language shows "US-Version" and still lists the game's languages, without a Version key "..".
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_game_settings

make_scourix_folder
make_game_folder
write_default_settings
rm -f "$PROG/network.ini"

KEY='HKLM\Software\Outrage\Descent3'
reg_add TrackerLogin REG_SZ "pilot one"
reg_add TrackerPassword REG_SZ "s3cret"
reg_add LanguageType REG_DWORD 1
reg_add KeyboardType REG_SZ German
reg_add NetworkConnection REG_SZ LAN
reg_add ConnectionSpeed REG_SZ Cable
reg_add_at "$KEY\\Version" Major REG_DWORD 1
reg_add_at "$KEY\\Version" Minor REG_DWORD 4
reg_add_at "$KEY\\Version" Build REG_SZ 0

start_scourix
wait_main_window
assert_ui d3misc visible 0 "the page before it is opened"

ui_menu "&file/Descent 3 Network etc"
assert_ui d3misc visible 1 "the page"
assert_ui keylist visible 0 "the switches while the page is open"
assert_ui username text "pilot one"
assert_ui passwort text "s3cret"
assert_ui passwort masked 1 "the password box"
assert_ui username masked 0 "the user name box"
assert_ui d3sprache text German
assert_ui keyger checked 1
assert_ui keyus checked 0
assert_ui iconlan checked 1
assert_ui cscable checked 1
assert_ui csfast checked 0
assert_ui d3version text "1.4.0"
assert_eq $'&file\tenabled=0 checked=0' "$(menu_entry 0)" "file menu while the page is open"
assert_eq $'&action\tenabled=0 checked=0' "$(menu_entry 1)" "action menu while the page is open"
assert_eq $'&extra\tenabled=0 checked=0' "$(menu_entry 2)" "extra menu while the page is open"
assert_eq $'&info\tenabled=1 checked=0' "$(menu_entry 3)" "info menu while the page is open"
check_layout Scourix
screenshot scourix-game-settings

ui_select d3sprache --item French
ui_click keyus
ui_click icondialup
ui_click csfast
ui_settext username "new pilot"
ui_click d3sichern
assert_bytes "$PROG/network.ini" \
    'French\r\n1\r\n0\r\n0\r\n0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n1\r\nnew pilot\r\ns3cret\r\n' \
    "network.ini from ok"
assert_ui d3misc visible 0 "the page after ok"
assert_ui keylist visible 1 "the switches after ok"
assert_eq $'&file\tenabled=1 checked=0' "$(menu_entry 0)" "file menu after ok"
assert_eq $'&action\tenabled=1 checked=0' "$(menu_entry 1)" "action menu after ok"
snapshot ok

# Opening again shows what ok saved over the registry; cancel keeps the edits on screen and
# writes nothing.
ui_menu "&file/Descent 3 Network etc"
assert_ui username text "new pilot" "login as saved"
assert_ui keyus checked 1 "keyboard as saved"
assert_ui d3sprache text French "language as saved"
ui_settext username "typed only"
ui_settext passwort "other"
ui_click keyfr
ui_click d3abbruch
assert_unchanged ok "cancel writes nothing"
assert_ui d3misc visible 0 "the page after cancel"
assert_eq $'&extra\tenabled=1 checked=0' "$(menu_entry 2)" "extra menu after cancel"
assert_ui username text "typed only" "edits kept after cancel"

# Without network.ini again: no language, no version, a keyboard text with both words (the later
# one wins), a password with a comma, and the page in German.
rm "$PROG/network.ini"
reg_delete "$KEY" LanguageType
reg_delete "$KEY\\Version"
reg_add KeyboardType REG_SZ "French German"
reg_add TrackerPassword REG_SZ "a,b"
ui_menu "&file/scourix language/german"
ui_menu "&Datei/Descent 3 Netzwerk usw."
assert_ui d3sprache text US-Version
assert_items d3sprache English French German Italian Spanish
assert_ui d3version text ".."
assert_ui keyger checked 1 "both keyboard words: the later test wins"
assert_ui Frame10 text Tastaturtyp
assert_ui d3abbruch text abbrechen
assert_ui Label1 text "Aktuelle D3 Version auf diesem PC ist  :"
check_layout Scourix
screenshot scourix-game-settings-de
ui_click d3sichern
assert_bytes "$PROG/network.ini" \
    'US-Version\r\n0\r\n0\r\n1\r\n0\r\n0\r\n1\r\n0\r\n0\r\n1\r\n0\r\npilot one\r\na,b\r\n' \
    "network.ini of a game without a language"
assert_eq $'&Datei\tenabled=1 checked=0' "$(menu_entry 0)" "file menu after ok, in German"

drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
