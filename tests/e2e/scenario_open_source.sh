#!/usr/bin/env bash
# The open-source game (Descent3.exe beside the retail Main.exe): Gatefire writes the settings
# into .Descent3Registry in the player's own folder, keeping every other line and section, and
# names the value the file cannot hold; cleans the custom folders and statistics in the player's
# folder and in the game folder (a backup never loses a file, also when both folders hold one of
# the same name); starts Descent3.exe, not Main.exe, with the game folder as working folder.
source "$(dirname "$0")/lib.sh"
e2e_begin open_source

make_program_folder
make_open_source_game_folder
write_default_settings UsePilot=1 PilotName=Ace DeleteStats=1 \
    LogoNoAction=0 LogoBackupOthers=1 'LogoBackupPath=C:\Backup\logos' \
    TauntNoAction=0 TauntDeleteOthers=1
write_network_ini German 0 0 1 0 1 0 0 1 0 0 pilot7 'pa"ss'
write_keep_list "$PROG/logos.ini" mylogo.ogf
write_keep_list "$PROG/taunts.ini" mine.osf
mkdir -p "$C_DRIVE/Backup/logos"

put_files "$USER_D3/custom/graphics" mylogo.ogf foreign_u.ogf
put_files "$GAME/custom/graphics" foreign_g.ogf
printf 'user dup\n' >"$USER_D3/custom/graphics/dup.ogf"
printf 'game dup\n' >"$GAME/custom/graphics/dup.ogf"
put_files "$USER_D3/custom/sounds" mine.osf empty foreign1.osf
put_files "$GAME/custom/sounds" mine.osf foreign2.osf
put_files "$USER_D3/netgames" a.stats notes.txt
put_files "$GAME/netgames" b.stats
mkdir -p "$SC_DIR/before"
cp -a "$USER_D3/custom" "$SC_DIR/before/user"
cp -a "$GAME/custom" "$SC_DIR/before/game"

settings_file=$USER_D3/.Descent3Registry
printf '%s\r\n' '[Version]' '"Major"=dword:1' '[Descent3]' '"Detail"="high"' \
    '"default_pilot"="Old.plt"' '"TrackerPassword"="oldsecret"' '; passed over by the game' \
    '[Other]' '"KeyboardType"="keep me"' >"$settings_file"

start_gatefire
drive box --title "Gatefire error" --timeout 30000 || fail "no message about the value left out"
screenshot open-source-value-left-out
expect_box "Gatefire error" \
    "These settings cannot be stored in .Descent3Registry and were left as they were:\\nTrackerPassword" \
    OK warning OK
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_bytes "$settings_file" '[Version]\r\n"Major"=dword:1\r\n[Descent3]\r\n"Detail"="high"\r\n"Default_pilot"="Ace.plt"\r\n"TrackerPassword"="oldsecret"\r\n"LanguageType"=dword:1\r\n"KeyboardType"="German"\r\n"NetworkConnection"="DIALUP"\r\n"ConnectionSpeed"="ISDN"\r\n"ClientPPS"=dword:8\r\n"TrackerLogin"="pilot7"\r\n; passed over by the game\r\n[Other]\r\n"KeyboardType"="keep me"\r\n' \
    ".Descent3Registry after Gatefire"
assert_missing "$USER_D3/.Descent3Registry.tmp" "no file left beside the settings file"

assert_eq "Descent3.exe" "$(launched program)" "the program started"
assert_eq "-Launched -pilot Ace " "$(launched cmdline)" "game command line"
assert_eq "$GAME_WIN" "$(launched cwd)" "game working folder"
assert_eq "Ace.plt" "$(launched file.Default_pilot)" "pilot the game read"
assert_eq "dword:1" "$(launched file.LanguageType)" "language the game read"
assert_eq "German" "$(launched file.KeyboardType)" "keyboard the game read"
assert_eq "DIALUP" "$(launched file.NetworkConnection)" "connection the game read"
assert_eq "ISDN" "$(launched file.ConnectionSpeed)" "speed the game (1.5.0) read"
assert_eq "dword:8" "$(launched file.ClientPPS)" "packets per second the game read"
assert_eq "pilot7" "$(launched file.TrackerLogin)" "tracker login the game read"
assert_eq "oldsecret" "$(launched file.TrackerPassword)" "tracker password kept"

# Logos backed up from both folders, then removed; the game folder's dup.ogf has the name of one
# already backed up from the player's folder: it stays where it is, the backup holds the other.
assert_listing "$C_DRIVE/Backup/logos" mylogo.ogf foreign_u.ogf dup.ogf foreign_g.ogf
assert_same_content "$SC_DIR/before/user/graphics/dup.ogf" "$C_DRIVE/Backup/logos/dup.ogf" "backup of the player's dup.ogf"
assert_same_content "$SC_DIR/before/user/graphics/foreign_u.ogf" "$C_DRIVE/Backup/logos/foreign_u.ogf" "backup of foreign_u.ogf"
assert_same_content "$SC_DIR/before/game/graphics/foreign_g.ogf" "$C_DRIVE/Backup/logos/foreign_g.ogf" "backup of foreign_g.ogf"
assert_listing "$USER_D3/custom/graphics" mylogo.ogf
assert_listing "$GAME/custom/graphics" dup.ogf
assert_same_content "$SC_DIR/before/game/graphics/dup.ogf" "$GAME/custom/graphics/dup.ogf" "the game folder's dup.ogf"
assert_same_content "$SC_DIR/before/user/graphics/mylogo.ogf" "$USER_D3/custom/graphics/mylogo.ogf" "kept logo"

# Taunts deleted in both folders but the kept ones and "empty".
assert_listing "$USER_D3/custom/sounds" mine.osf empty
assert_listing "$GAME/custom/sounds" mine.osf
assert_same_content "$SC_DIR/before/user/sounds/mine.osf" "$USER_D3/custom/sounds/mine.osf" "kept taunt"

# Statistics removed in both folders; other files there stay.
assert_listing "$USER_D3/netgames" notes.txt
assert_listing "$GAME/netgames"

e2e_pass
