#!/usr/bin/env bash
# The custom-file browser from Scourix's main window: the game folder chosen in the folder list
# (a folder highlighted, not opened) enables the panels and fills the pilot list; own ship logos
# and taunts picked in the file list (several at once) join the keep lists; a backup folder and
# a logo restored from it; OK without a file and "cancel" change nothing; a backup folder that
# does not exist is reported. Saving writes the lists.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_browser

make_scourix_folder
make_game_folder
write_default_settings GamePath=""
put_files "$GAME" Ace.plt Bob.plt
put_files "$GAME/custom/graphics" MyShip.ogf MyWings.oaf Viper_0badf00d.ogf notes.txt
put_files "$GAME/custom/sounds" Hello.osf Bye.osf Nomad_12345678.osf
put_files "$C_DRIVE/Backup" Saved.ogf Old.osf

# The selected lines of the browser's file list, in list order.
chosen_files() {
    ui_get File1
    local all sel i
    mapfile -t all < <(sed -n 's/^item=//p' <<<"$DRIVER_OUT")
    IFS=, read -ra sel <<<"$(box_field selected)"
    for i in "${sel[@]}"; do printf '%s\n' "${all[i]}"; done
}

start_scourix
wait_main_window
assert_ui keylist enabled 0 "switches usable without a game folder"

# Folder mode: the list opens at Scourix's current folder, the program folder.
ui_click d3pathbrowser
WIN="search Descent 3....."
drive wait-window --title "$WIN" --timeout 10000 || fail "the browser did not open: $DRIVER_OUT"
assert_ui Verzeichnis visible 1 "folder list in folder mode"
assert_ui File1 visible 0 "file list in folder mode"
assert_ui OK text ok
assert_ui abbruch text cancel
assert_ui player enabled 0
assert_ui umbenen enabled 0
assert_eq "$(printf '%s\n' 'C:\' Gatefire)" "$(ui_items Verzeichnis | sed 's/^ *//; s/^\(▾\|▸\) //')" \
    "folder list at the start"
ui_select Verzeichnis --item 'C:\' --dblclick
ui_select Verzeichnis --item Games --dblclick
ui_select Verzeichnis --item Descent3
screenshot scourix-browser-folder
check_layout "$WIN"
ui_click OK
drive wait-window --title "$WIN" --gone --timeout 10000 || fail "the browser stayed open after OK"
WIN=Scourix
assert_ui d3path text "$GAME_WIN" "game folder from the highlighted folder"
assert_ui keylist enabled 1 "switches usable with a game folder"
assert_items pilotname Ace Bob
assert_eq $'&action\tenabled=1 checked=0' "$(menu_entry 1)" "action menu with a game folder"

# File mode: ship logos, two of them chosen.
ui_click logoplus
WIN="select your shiplogo"
drive wait-window --title "$WIN" --timeout 10000 || fail "the logo browser did not open"
assert_ui File1 visible 1 "file list in file mode"
assert_ui Verzeichnis visible 0 "folder list in file mode"
assert_eq "MyShip.ogf MyWings.oaf Viper_0badf00d.ogf" "$(ui_items File1 | sort | tr '\n' ' ' | sed 's/ $//')" \
    "logo files listed (*.ogf;*.oaf)"
ui_select File1 --item MyWings.oaf
ui_select File1 --item MyShip.ogf --add
chosen=$(chosen_files)
assert_eq "MyShip.ogf MyWings.oaf" "$(sort <<<"$chosen" | tr '\n' ' ' | sed 's/ $//')" "selection"
screenshot scourix-browser-file
check_layout "$WIN"
ui_click OK
drive wait-window --title "$WIN" --gone --timeout 10000 || fail "the logo browser stayed open"
WIN=Scourix
assert_eq "$chosen" "$(ui_items logo)" "own logos added in the file list's order"

# OK with no file at the cursor changes nothing and leaves the browser open; cancel closes it.
ui_click logoplus
WIN="select your shiplogo"
drive wait-window --title "$WIN" --timeout 10000 || fail "the logo browser did not open again"
ui_click OK
drive wait-window --title "$WIN" --timeout 2000 || fail "OK without a file closed the browser"
ui_click abbruch
drive wait-window --title "$WIN" --gone --timeout 10000 || fail "cancel did not close the browser"
WIN=Scourix
assert_eq 2 "$(ui_field logo count)" "logos after OK without a file and cancel"

# Taunts: play and rename are offered only here.
ui_click mysoundsplus
WIN="select your taunt's"
drive wait-window --title "$WIN" --timeout 10000 || fail "the taunt browser did not open"
assert_ui player enabled 1
assert_ui umbenen enabled 1
assert_eq "Bye.osf Hello.osf Nomad_12345678.osf" "$(ui_items File1 | sort | tr '\n' ' ' | sed 's/ $//')" \
    "taunt files listed (*.osf)"
ui_select File1 --item Hello.osf
ui_select File1 --item Bye.osf --add
chosen=$(chosen_files)
ui_click OK
drive wait-window --title "$WIN" --gone --timeout 10000 || fail "the taunt browser stayed open"
WIN=Scourix
assert_eq "$chosen" "$(ui_items mysounds)" "own taunts added in the file list's order"

# A backup folder for the logos, chosen in the folder list, and a logo restored from it.
assert_ui graficsicherbrowser enabled 0 "backup browse button before backup is chosen"
ui_click usegraficsicher
assert_ui graficsicherbrowser enabled 1 "backup browse button with backup chosen"
assert_ui auslagergraf enabled 0 "restore button with an empty backup folder"
ui_click graficsicherbrowser
WIN="search backup-path for shiplogo's....."
drive wait-window --title "$WIN" --timeout 10000 || fail "the backup folder browser did not open"
ui_select Verzeichnis --item 'C:\' --dblclick
ui_select Verzeichnis --item Backup
ui_click OK
drive wait-window --title "$WIN" --gone --timeout 10000 || fail "the backup browser stayed open"
WIN=Scourix
assert_ui graficsicherpath text 'C:\Backup'
assert_ui auslagergraf enabled 1 "restore button with a backup folder"
ui_click auslagergraf
WIN="select your shiplogo from backup"
drive wait-window --title "$WIN" --timeout 10000 || fail "the restore browser did not open"
assert_items File1 Saved.ogf
ui_select File1 --item Saved.ogf
ui_click OK
drive wait-window --title "$WIN" --gone --timeout 10000 || fail "the restore browser stayed open"
WIN=Scourix
assert_same_content "$C_DRIVE/Backup/Saved.ogf" "$GAME/custom/graphics/Saved.ogf" "restored logo"
assert_eq Saved.ogf "$(ui_items logo | tail -n1)" "restored logo added last"

# A taunt backup folder that does not exist.
ui_click usesoundssicheern
ui_settext soundssicherpath 'C:\NoSuchFolder'
ui_click auslagersound --post
expect_box scourix "wrong descent-path !select please again !" OK error OK
WIN="select your taunt's from backup"
drive wait-window --title "$WIN" --timeout 5000 || fail "the browser did not stay open after the error"
ui_click abbruch
WIN=Scourix

ui_menu "&file/save config"
logos=() taunts=()
mapfile -t logos < <(ui_items logo)
mapfile -t taunts < <(ui_items mysounds)
lines=()
for l in "${logos[@]}"; do lines+=("$(q "$l")"); done
write_lines "$SC_DIR/logos.expected" "${lines[@]}"
lines=()
for l in "${taunts[@]}"; do lines+=("$(q "$l")"); done
write_lines "$SC_DIR/taunts.expected" "${lines[@]}"
assert_same_content "$SC_DIR/logos.expected" "$PROG/logos.ini" "saved logo list"
assert_same_content "$SC_DIR/taunts.expected" "$PROG/taunts.ini" "saved taunt list"
assert_eq 3 "${#logos[@]}" "logos saved"
assert_bytes "$PROG/scourix.ini" \
    '"C:\\Games\\Descent3"\r\n"C:\\Backup"\r\n"C:\\NoSuchFolder"\r\n"0"\r\n"0"\r\n"1"\r\n"0"\r\n"0"\r\n"1"\r\n0\r\n""\r\n"2"\r\n0\r\n""\r\n0\r\n' \
    "scourix.ini with the chosen folders"

drive close --window Scourix
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
