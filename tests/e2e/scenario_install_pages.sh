#!/usr/bin/env bash
# The installer's pages as a player clicks through them: a folder holding a README.md of his is
# refused with a message and the page stays for another folder; a folder below Program Files
# brings the warning: No goes back to the folder page, Yes installs there; the desktop option puts both shortcuts on
# the player's desktop; the finish page's run option starts Scourix from the installed folder.
# The uninstaller's "Also remove my settings files" removes them with the programs and links.
source "$(dirname "$0")/lib.sh"
e2e_begin install_pages

copy_installer
USER_NAME=$(cd "$C_DRIVE/users" && ls | grep -vx Public | head -n1)
DESKTOP_WIN="C:\\users\\$USER_NAME\\Desktop"
TARGET='C:\Program Files\Scourix'


note "the player's README.md is refused, then a folder below Program Files is warned of"
MINE=$C_DRIVE/Games/MyTools
put_files "$MINE" README.md notes.txt
(timeout 240 wine "$TOOLS_WIN\\setup.exe" '/D=C:\Games\MyTools' >>"$SC_DIR/install.log" 2>&1) &
SETUP_PID=$!
WIN="Scourix & Gatefire $version Setup"
ui_click "Next >"
ui_click "I Agree"
ui_click "Next >" --post
expect_box "$WIN" "This folder holds files of your own with the names of files Setup would install:\\n    README.md\\n\\nSetup never replaces your files. Choose another folder, for example a new one of its own." \
    OK error OK
ui_settext 'C:\Games\MyTools' "$TARGET"
# No goes back to the folder page; Yes installs there.
WARNING="Scourix and Gatefire keep their settings files in their own program folder, and a folder below Program Files is not writable without administrator rights.\\n\\nChoose a folder of your own (the suggested one is), or make this folder writable for your account before you start Scourix.\\n\\nInstall into this folder anyway?"
for answer in No Yes; do
    ui_click "Next >" --post
    expect_box "$WIN" "$WARNING" "Yes|No" warning $answer
done
assert_listing "$MINE" README.md notes.txt

note "the desktop option and the run option"
ui_click "Desktop shortcuts to Scourix and Gatefire"
assert_eq 1 "$(ui_field "Desktop shortcuts to Scourix and Gatefire" checked)" "desktop option ticked"
ui_click "Install"
ui_get "Finish" # the finish page, after the files
assert_eq 1 "$(ui_field "Run Scourix & Gatefire $version" checked)" "run option ticked by default"
ui_click "Finish" --post
# Scourix starts from the installed folder: its first start, answered Cancel, writes nothing.
expect_box "Scourix - ERROR!!" "Error !! No INI-File or bad INI-File !" "OK" error OK
expect_box "Scourix - ERROR!!" "new files provide? " "OK|Cancel" question Cancel
wait "$SETUP_PID" || fail "the installer failed (see install.log)"
settle
INSTALLED=$(unix_path "$TARGET")
assert_listing "$INSTALLED" gatefire.exe scourix.exe README.md LICENSE Uninstall.exe \
    scourix-uninstall.log
assert_eq "$TARGET\\scourix.exe" "$(link_target "$DESKTOP_WIN\\Scourix.lnk")" "desktop link to Scourix"
assert_eq "$TARGET\\gatefire.exe" "$(link_target "$DESKTOP_WIN\\Gatefire.lnk")" "desktop link to Gatefire"

note "the uninstaller's settings option removes the settings files too"
PROG=$INSTALLED
write_default_settings
(timeout 240 wine "$TARGET\\Uninstall.exe" >>"$SC_DIR/install.log" 2>&1) &
WIN="Scourix & Gatefire $version Uninstall"
# A page of check boxes runs its own message loop until it is left: the click that opens it
# returns only then.
ui_click "Next >" --post
ui_click "Also remove my settings files (keep lists, switches, side programs)"
ui_click "Uninstall" --post
deadline=$((SECONDS + 60))
while [[ -e "$INSTALLED" ]]; do
    ((SECONDS < deadline)) || fail "the uninstall left $(ls "$INSTALLED" | tr '\n' ' ')"
    sleep 0.2
done
ui_click "Close"
settle
assert_eq "" "$(link_target "$DESKTOP_WIN\\Scourix.lnk")" "desktop link to Scourix after the uninstall"
assert_eq "" "$(link_target "$DESKTOP_WIN\\Gatefire.lnk")" "desktop link to Gatefire after the uninstall"
assert_listing "$MINE" README.md notes.txt

e2e_pass
