#!/usr/bin/env bash
# A backup folder that is the custom folder itself, written another way (case, a link): the
# "copies" would be the sources, so nothing is done for that kind and no file is lost. A stale
# copy of the same size in a real backup folder that cannot be overwritten does not count as a
# backup either: the source stays.
source "$(dirname "$0")/lib.sh"
e2e_begin backup_into_source

make_program_folder
make_game_folder
ln -s ../Games/Descent3/custom/sounds "$C_DRIVE/TauntLink"
write_default_settings LogoNoAction=0 LogoBackupOthers=1 \
    'LogoBackupPath=c:\GAMES\descent3\Custom\Graphics\' \
    TauntNoAction=0 TauntBackupOthers=1 'TauntBackupPath=C:\TauntLink'
write_keep_list "$PROG/logos.ini" "Logo1.ogf"
sounds=(mine.osf foreign_1a2b3c4d.osf)
logos=(Logo1.ogf other_0badf00d.ogf other_0badf00d.oaf)
put_files "$GAME/custom/sounds" "${sounds[@]}"
put_files "$GAME/custom/graphics" "${logos[@]}"

start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire
assert_listing "$GAME/custom/sounds" "${sounds[@]}"
assert_listing "$GAME/custom/graphics" "${logos[@]}"

# Now a real backup folder holding an older, read-only copy of the same size.
rm -f "$GAME/launched.txt"
write_default_settings LogoNoAction=0 LogoBackupOthers=1 'LogoBackupPath=C:\Backup'
write_keep_list "$PROG/logos.ini" "Logo1.ogf"
mkdir -p "$C_DRIVE/Backup"
tr 'a-z' 'A-Z' <"$GAME/custom/graphics/other_0badf00d.ogf" >"$C_DRIVE/Backup/other_0badf00d.ogf"
[[ $(stat -c %s "$C_DRIVE/Backup/other_0badf00d.ogf") == $(stat -c %s "$GAME/custom/graphics/other_0badf00d.ogf") ]] ||
    fail "the stale copy should have the source's size"
# Read-only for Windows, and for a test run as root too, where only the immutable flag stops a
# write.
timeout 60 wine attrib +r 'C:\Backup\other_0badf00d.ogf' >>"$SC_DIR/wine.log" 2>&1 ||
    fail "could not make the stale copy read-only"
if ((EUID == 0)); then
    chattr +i "$C_DRIVE/Backup/other_0badf00d.ogf" || fail "could not make the stale copy immutable"
    trap 'rc=$?; chattr -i "$C_DRIVE/Backup/other_0badf00d.ogf" 2>/dev/null; (exit $rc); e2e_cleanup' EXIT
fi
start_gatefire
wait_for_file "$GAME/launched.txt"
wait_gatefire
assert_listing "$GAME/custom/graphics" Logo1.ogf other_0badf00d.ogf
assert_same_content "$GAME/custom/graphics/Logo1.ogf" "$C_DRIVE/Backup/Logo1.ogf" "backup of Logo1.ogf"
assert_eq "CONTENT OF OTHER_0BADF00D.OGF" "$(cat "$C_DRIVE/Backup/other_0badf00d.ogf")" \
    "the read-only stale copy is unchanged"
[[ -f "$C_DRIVE/Backup/other_0badf00d.oaf" ]] || fail "other_0badf00d.oaf was deleted without a backup"

e2e_pass
