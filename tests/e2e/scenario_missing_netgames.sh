#!/usr/bin/env bash
# A game folder without \netgames stops the launcher with "Error ! Path not found" even with
# statistics deletion off: no file touched, no side program, no game. The registry values were
# written at start-up and stay.
source "$(dirname "$0")/lib.sh"
e2e_begin missing_netgames

make_program_folder
make_game_folder
rmdir "$GAME/netgames"
write_default_settings DeleteStats=0 TauntNoAction=0 TauntDeleteOthers=1 \
    LogoNoAction=0 LogoBackupOthers=1 'LogoBackupPath=C:\Backup' PilotName=Ace
mkdir -p "$C_DRIVE/Backup"
put_files "$GAME/custom/sounds" foreign_1a2b3c4d.osf
put_files "$GAME/custom/graphics" other_0badf00d.ogf
put_side_program 'C:\Side' side.exe
write_shelllist side.exe 'C:\Side' 1 "" "" 0 "" "" 0 "" "" 0 "" "" 0

start_gatefire
expect_box "Gatefire error" "Error ! Path not found" "OK" error OK
wait_gatefire

assert_missing "$GAME/launched.txt" "the game must not start"
assert_missing "$C_DRIVE/Side/side_started.txt" "side programs must not start"
assert_listing "$GAME/custom/sounds" foreign_1a2b3c4d.osf
assert_listing "$GAME/custom/graphics" other_0badf00d.ogf
assert_listing "$C_DRIVE/Backup"
assert_eq "REG_SZ Ace.plt" "$(reg_value Default_pilot)" "registry written before the cleaning"

e2e_pass
