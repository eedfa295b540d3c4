#!/usr/bin/env bash
# Backup must never lose a file: with a backup folder that does not exist every copy fails, so
# no taunt is deleted (and the folder is not created). A logo backup wanted with an empty
# backup folder does nothing at all. The game still starts.
source "$(dirname "$0")/lib.sh"
e2e_begin backup_missing

make_program_folder
make_game_folder
write_default_settings TauntNoAction=0 TauntBackupOthers=1 'TauntBackupPath=C:\NoSuchFolder' \
    LogoNoAction=0 LogoBackupOthers=1 LogoBackupPath=""
write_keep_list "$PROG/taunts.ini" "mine.osf"
write_keep_list "$PROG/logos.ini" "Logo1.ogf"
put_files "$GAME/custom/sounds" mine.osf empty foreign_1a2b3c4d.osf foreign_22222222.osf
put_files "$GAME/custom/graphics" Logo1.ogf other_0badf00d.ogf

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_listing "$GAME/custom/sounds" mine.osf empty foreign_1a2b3c4d.osf foreign_22222222.osf
assert_listing "$GAME/custom/graphics" Logo1.ogf other_0badf00d.ogf
assert_missing "$C_DRIVE/NoSuchFolder" "the backup folder is never created"
assert_eq "-Launched " "$(launched cmdline)" "game command line"

e2e_pass
