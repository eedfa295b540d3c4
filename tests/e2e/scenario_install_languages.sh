#!/usr/bin/env bash
# The installer speaks the system's language: started on a French, a Spanish, an Italian and a
# German system (Wine takes the user's interface language from LC_ALL; the Linux side needs no
# such locale), it asks nothing about the language, its pages come in NSIS's texts of that
# language and our warning of a folder below Program Files in the catalogue's translation; on a
# Portuguese system, a language it does not have, in English. No goes back to the folder page;
# the installer is then cancelled, and nothing is installed.
source "$(dirname "$0")/lib.sh"
e2e_begin install_languages

copy_installer
TARGET='C:\Program Files\Scourix'
USER_NAME=$(cd "$C_DRIVE/users" && ls | grep -vx Public | head -n1)
SUGGESTED="C:\\users\\$USER_NAME\\AppData\\Local\\Programs\\Scourix"

# The catalogue's translation of an installer text (its context "installer NAME"), with its line
# breaks as the driver shows them.
# "en": the English source text, from the template.
installer_text() { # CODE NAME
    if [[ $1 == en ]]; then
        msgen --force-po "$E2E_REPO/po/scourix.pot"
    else
        local parts=("$E2E_REPO"/po/parts/*."$1".po)
        [[ -e "${parts[0]}" ]] || parts=()
        msgcat --force-po "$E2E_REPO/po/$1.po" "${parts[@]}"
    fi | WANT="installer $2" msgexec sh -c '[ "${MSGEXEC_MSGCTXT-}" = "$WANT" ] && cat; true' |
        awk '{ printf "%s%s", (NR > 1 ? "\\n" : ""), $0 }'
}

# Per language: the locale, the window's title, the captions of the buttons Next, I Agree and
# Cancel, and the Yes and No of a message box (Wine's own).
languages=(
    "fr|fr_FR.UTF-8|Installation de Scourix & Gatefire $version|Suivant >|J'accepte|Annuler|Oui|Non"
    "es|es_ES.UTF-8|Instalación de Scourix & Gatefire $version|Siguiente >|Acepto|Cancelar|Sí|No"
    "it|it_IT.UTF-8|Installazione di Scourix & Gatefire $version|Avanti >|Accetto|Annulla|Sì|No"
    "de|de_DE.UTF-8|Installation von Scourix & Gatefire $version|Weiter >|Annehmen|Abbrechen|Ja|Nein"
    "en|pt_BR.UTF-8|Scourix & Gatefire $version Setup|Next >|I Agree|Cancel|Sim|Não"
)
for row in "${languages[@]}"; do
    IFS='|' read -r code locale WIN next agree cancel yes no <<<"$row"
    note "$code: the pages and the warning in the system's language"
    warning=$(installer_text "$code" ProtectedFolder)
    [[ -n "$warning" ]] || fail "no $code translation of the installer's warning in po/"
    (LC_ALL=$locale timeout 240 wine "$TOOLS_WIN\\setup.exe" >>"$SC_DIR/install.log" 2>&1) &
    SETUP_PID=$!
    # The window's title and the welcome page's button in the language.
    assert_eq 1 "$(ui_field "$next" enabled)" "$code: the welcome page's $next"
    ui_click "$next"
    ui_click "$agree"
    ui_settext "$SUGGESTED" "$TARGET"
    ui_click "$next" --post
    expect_box "$WIN" "$warning" "$yes|$no" warning "$no"
    # Back on the folder page: cancel, and confirm it in the same language.
    assert_eq 1 "$(ui_field "$TARGET" visible)" "$code: the folder page after $no"
    ui_click "$cancel" --post
    drive box --title "$WIN" --press "$yes" --timeout 30000 ||
        fail "$code: no confirmation of the cancel: $DRIVER_OUT"
    wait "$SETUP_PID" || true
    settle
    assert_missing "$(unix_path "$TARGET")" "$code: nothing installed after the cancel"
done

e2e_pass
