#!/usr/bin/env bash
# Backup mode: every file of the custom folder (kept ones and "empty" too) is copied to the
# backup folder, replacing older copies there; then the files not kept are deleted. A backup
# folder given with a trailing backslash works the same.
source "$(dirname "$0")/lib.sh"
e2e_begin backup

make_program_folder
make_game_folder
write_default_settings LogoNoAction=0 LogoBackupOthers=1 'LogoBackupPath=C:\Backup\logos' \
    TauntNoAction=0 TauntBackupOthers=1 'TauntBackupPath=C:\Backup\taunts\'
write_keep_list "$PROG/taunts.ini" "mine.osf"
write_keep_list "$PROG/logos.ini" "Logo1.ogf"
sounds=(mine.osf empty foreign_1a2b3c4d.osf foreign_22222222.osf)
logos=(Logo1.ogf other_0badf00d.ogf other_0badf00d.oaf)
put_files "$GAME/custom/sounds" "${sounds[@]}"
put_files "$GAME/custom/graphics" "${logos[@]}"
mkdir -p "$C_DRIVE/Backup/logos" "$C_DRIVE/Backup/taunts"
echo "an older, longer copy of this taunt" >"$C_DRIVE/Backup/taunts/foreign_22222222.osf"
put_files "$C_DRIVE/Backup/taunts" unrelated.osf

# Reference copies of what the folders held, to compare the backups with.
mkdir -p "$SC_DIR/before"
cp -a "$GAME/custom/sounds" "$SC_DIR/before/sounds"
cp -a "$GAME/custom/graphics" "$SC_DIR/before/graphics"

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire

assert_listing "$C_DRIVE/Backup/taunts" "${sounds[@]}" unrelated.osf
assert_listing "$C_DRIVE/Backup/logos" "${logos[@]}"
for f in "${sounds[@]}"; do
    assert_same_content "$SC_DIR/before/sounds/$f" "$C_DRIVE/Backup/taunts/$f" "backup of taunt $f"
done
for f in "${logos[@]}"; do
    assert_same_content "$SC_DIR/before/graphics/$f" "$C_DRIVE/Backup/logos/$f" "backup of logo $f"
done
assert_listing "$GAME/custom/sounds" mine.osf empty
assert_listing "$GAME/custom/graphics" Logo1.ogf
assert_eq "-Launched " "$(launched cmdline)" "game command line"

e2e_pass
