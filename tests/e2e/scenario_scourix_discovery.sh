#!/usr/bin/env bash
# Scourix finds the game where the stores put it: a Steam library listed in libraryfolders.vdf
# (Steam registered in the user's key, in lower case with forward slashes, as Steam writes it)
# and a GOG install registered in the machine's 32-bit view. With no game folder set it offers
# each find in one question, in the player's language; No goes on to the next, Yes sets the
# field as typing would, and nothing is written before the player saves. A folder set, or no
# store, brings no question.
source "$(dirname "$0")/lib.sh"
e2e_begin scourix_discovery

make_scourix_folder
STEAM_GAME='C:\SteamLibrary\steamapps\common\Descent 3'
GOG_GAME='C:\GOG Games\Descent 3'

# No store yet: the window opens without a question.
write_default_settings GamePath=
start_scourix
wait_main_window
expect_no_box scourix
assert_ui d3path text ""
drive close --window Scourix
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end

# Steam: its own folder lists a second library, which holds the game.
timeout 60 wine reg add 'HKCU\Software\Valve\Steam' /v SteamPath /t REG_SZ \
    /d 'c:/games/steam' /f >/dev/null 2>&1 || fail "could not register Steam"
steamapps="$C_DRIVE/games/steam/steamapps"
mkdir -p "$steamapps"
printf '%s\n' '"libraryfolders"' '{' '	"0"' '	{' '		"path"		"C:\\Games\\Steam"' \
    '		"label"		""' '		"apps"' '		{' '			"228980"		"404262992"' '		}' '	}' \
    '	"1"' '	{' '		"path"		"C:\\SteamLibrary"' '		"apps"' '		{' \
    '			"273590"		"2064572"' '		}' '	}' '}' >"$steamapps/libraryfolders.vdf"
mkdir -p "$C_DRIVE/SteamLibrary/steamapps/common/Descent 3"
printf '%s\n' '"AppState"' '{' '	"appid"		"273590"' '	"name"		"Descent 3"' \
    '	"installdir"		"Descent 3"' '}' >"$C_DRIVE/SteamLibrary/steamapps/appmanifest_273590.acf"
cp "$STANDINS/Main.exe" "$(unix_path "$STEAM_GAME")/"
# GOG, in the view the 32-bit programs read.
reg_add_at 'HKLM\SOFTWARE\GOG.com\Games\1207658984' gameName REG_SZ "Descent 3"
reg_add_at 'HKLM\SOFTWARE\GOG.com\Games\1207658984' path REG_SZ "$GOG_GAME"
reg_add_at 'HKLM\SOFTWARE\GOG.com\Games\1207658999' gameName REG_SZ "Descent"
reg_add_at 'HKLM\SOFTWARE\GOG.com\Games\1207658999' path REG_SZ 'C:\GOG Games\Descent'
mkdir -p "$(unix_path "$GOG_GAME")" "$C_DRIVE/GOG Games/Descent"
cp "$STANDINS/Main.exe" "$(unix_path "$GOG_GAME")/"
cp "$STANDINS/Main.exe" "$C_DRIVE/GOG Games/Descent/"
put_files "$(unix_path "$GOG_GAME")" Ace.plt

# English: No to Steam's, Yes to GOG's.
snapshot before
start_scourix
expect_box scourix "Descent 3 found in:\\n$STEAM_GAME\\n\\nUse this folder?" "Yes|No" question
sleep 0.5
screenshot discovery-en
drive box --title scourix --press No --timeout 5000 || fail "could not answer No: $DRIVER_OUT"
expect_box scourix "Descent 3 found in:\\n$GOG_GAME\\n\\nUse this folder?" "Yes|No" question Yes
wait_main_window
assert_ui d3path text "$GOG_GAME"
assert_items pilotname Ace
assert_ui keylist enabled 1 "panels usable with the folder taken"
assert_unchanged before "the folder taken, not saved"
drive close --window Scourix
expect_box scourix "save config now ?" "Yes|No|Cancel" question No
wait_scourix_end
assert_unchanged before "closed without saving"

# German: Yes to the first find; saving writes it.
write_default_settings GamePath= Language=1
start_scourix
expect_box scourix "Descent 3 gefunden in:\\n$STEAM_GAME\\n\\nDiesen Ordner verwenden?" "Yes|No" question
sleep 0.5
screenshot discovery-de
drive box --title scourix --press Yes --timeout 5000 || fail "could not answer Yes: $DRIVER_OUT"
wait_main_window
assert_ui d3path text "$STEAM_GAME"
drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question Yes
wait_scourix_end
assert_eq "\"$STEAM_GAME\"" "$(head -n1 "$PROG/scourix.ini" | tr -d '\r')" "GamePath saved"

# A folder set: no question, though the stores know of two.
start_scourix
wait_main_window
expect_no_box scourix
drive close --window Scourix
expect_box scourix "Konfiguration jetzt speichern?" "Yes|No|Cancel" question No
wait_scourix_end

e2e_pass
