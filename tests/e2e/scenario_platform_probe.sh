#!/usr/bin/env bash
# The Win32 platform layer asked directly, through platform-probe.exe (version resource 1.2.3.4):
# the version is major.minor.revision from the fields that hold them; the registry reader cuts a
# string at its first NUL, turns a multi-string's NULs into CR LF, reads a short number only as
# far as it goes and gives other types empty text; file identities see through case, short names
# and links and tell two equal files apart; names compare without case beyond ASCII; a replace
# puts a file in another's place; a read refuses a file over its limit; a window opened and
# closed again and again leaves no handles, atoms or memory behind.
source "$(dirname "$0")/lib.sh"
e2e_begin platform_probe --no-gatefire
need_file "$STANDINS/platform-probe.exe"
cp "$STANDINS/platform-probe.exe" "$TOOLS/"

probe() { # ARGS...: the probe's answer line
    rm -f "$TOOLS/probe.txt"
    timeout 60 wine "$TOOLS_WIN\\platform-probe.exe" "$TOOLS_WIN\\probe.txt" "$@" \
        >>"$SC_DIR/wine.log" 2>&1 || fail "platform-probe.exe $* failed"
    tr -d '\r' <"$TOOLS/probe.txt"
}

assert_eq "version=1.2.3" "$(probe version)" "version read from the resource"

KEY='Software\Outrage\Descent3'
reg_add TrackerLogin REG_SZ 'Ace'
reg_add NetworkConnection REG_MULTI_SZ 'LAN\0ISDN'
reg_add Path REG_EXPAND_SZ '%SystemRoot%\x'
reg_add LanguageType REG_DWORD 298
# Data the reg tool cannot write: a string with a NUL inside, a number of two bytes.
# A version 5 file in UTF-16, so that hex(1) data is taken as UTF-16 as stored.
printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_LOCAL_MACHINE\Software\Outrage\Descent3]' \
    '"Cut"=hex(1):46,00,61,00,73,00,74,00,00,00,6f,00,6c,00,64,00,00,00' \
    '"Short"=hex(4):2a,01' | iconv -f UTF-8 -t UTF-16 >"$TOOLS/odd.reg"
timeout 60 wine reg import "$TOOLS_WIN\\odd.reg" /reg:32 >>"$SC_DIR/wine.log" 2>&1 ||
    fail "could not import odd.reg"
assert_contains "$(reg_query)" "Short" "the two-byte number is in the 32-bit view"

assert_eq "reg=Ace" "$(probe reg "$KEY" TrackerLogin)" "REG_SZ"
assert_eq 'reg=LAN\r\nISDN\r\n\r\n' "$(probe reg "$KEY" NetworkConnection)" "REG_MULTI_SZ"
assert_eq "reg=" "$(probe reg "$KEY" Path)" "REG_EXPAND_SZ gives empty text"
assert_eq "reg=298" "$(probe reg "$KEY" LanguageType)" "REG_DWORD"
assert_eq "reg=Fast" "$(probe reg "$KEY" Cut)" "REG_SZ ends at its first NUL"
assert_eq "reg=298" "$(probe reg "$KEY" Short)" "two-byte REG_DWORD"
assert_eq "reg=<missing>" "$(probe reg "$KEY" Nothing)" "missing value"

mkdir -p "$C_DRIVE/Games/Descent3/custom/graphics" "$C_DRIVE/Backup"
echo "logo bytes" >"$C_DRIVE/Games/Descent3/custom/graphics/Pilot_0badf00d.ogf"
cp "$C_DRIVE/Games/Descent3/custom/graphics/Pilot_0badf00d.ogf" "$C_DRIVE/Backup/"
ln -s ../Games/Descent3/custom/graphics "$C_DRIVE/Backup/linked"
G='C:\Games\Descent3\custom\graphics'
assert_eq "same=1" "$(probe same "$G" 'c:\GAMES\descent3\Custom\Graphics\')" "folder, other case"
assert_eq "same=1" "$(probe same "$G" 'C:\Backup\linked')" "folder through a link"
assert_eq "same=1" "$(probe same "$G\\Pilot_0badf00d.ogf" 'C:\Backup\linked\PILOT_0BADF00D.OGF')" \
    "file through a link, other case"
assert_eq "same=0" "$(probe same "$G\\Pilot_0badf00d.ogf" 'C:\Backup\Pilot_0badf00d.ogf')" \
    "an equal copy is another file"
assert_eq "same=none" "$(probe same "$G" 'C:\Nowhere')" "a missing folder"

# Names compared as the file system compares them: letter case beyond ASCII too (the names reach
# the probe through a UTF-8 locale).
assert_eq "samename=1" "$(LC_ALL=C.UTF-8 probe samename 'ärger.osf' 'ÄRGER.osf')" "umlauts differ in case only"
assert_eq "samename=1" "$(LC_ALL=C.UTF-8 probe samename 'Ωmega.osf' 'ωMEGA.OSF')" "Greek, other case"
assert_eq "samename=0" "$(LC_ALL=C.UTF-8 probe samename 'ärger.osf' 'arger.osf')" "another letter"

# A file put in the place of another in one step; a read bounded by its size.
printf 'new' >"$C_DRIVE/Backup/a.new~"
printf 'old bytes' >"$C_DRIVE/Backup/a.osf"
assert_eq "replace=1" "$(probe replace 'C:\Backup\a.new~' 'C:\Backup\a.osf')" "replaces"
assert_eq "new" "$(cat "$C_DRIVE/Backup/a.osf")" "the new bytes in the old place"
assert_eq "replace=0" "$(probe replace 'C:\Backup\gone.new~' 'C:\Backup\a.osf')" "nothing to move"
assert_eq "new" "$(cat "$C_DRIVE/Backup/a.osf")" "a failed replace leaves the file"
assert_eq "read=3" "$(probe read 'C:\Backup\a.osf' 3)" "a file of the limit's size"
assert_eq "read=refused" "$(probe read 'C:\Backup\a.osf' 2)" "a file over the limit"

# A window with a control of every kind, opened and closed 300 times. A leak of one object per
# window shows as growth of 300; the handle tables' order of reuse moves a reading by a few.
answer=$(probe cycle 300)
note "$answer"
read -r _ gdi1 gdi2 _ user1 user2 _ names1 names2 _ heap1 heap2 <<<"${answer#cycle=}"
[[ -n "$heap2" ]] || fail "no cycle reading: $answer"
((gdi2 - gdi1 < 100)) || fail "GDI objects grew: $answer"
((user2 - user1 < 100)) || fail "USER objects grew: $answer"
assert_eq "0 0" "$names1 $names2" "no control's name left as an atom"
((heap2 - heap1 < 4096)) || fail "the heap grew: $answer"

e2e_pass
