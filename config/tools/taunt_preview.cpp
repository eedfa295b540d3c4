#include "config/tools/taunt_preview.h"

namespace scourix {

using platform::Buttons;
using platform::Icon;

TauntPreview::TauntPreview(platform::Platform& p, ui::Timer& playerstart, ui::Timer& zeitaus)
    : p_(p), playerstart_(playerstart), zeitaus_(zeitaus) {}

std::string TauntPreview::previewFile(const std::string& gamePath) {
    return gamePath.substr(0, 3) + "mt\\test.osf";
}

void TauntPreview::start(const std::string& taunt, const std::string& gamePath,
                         const std::string& testerPath, lang::Language language) {
    language_ = language;
    preview_ = previewFile(gamePath);
    // The folder may be there already; whether it could be made shows in the copy below.
    p_.files.makeFolder(gamePath.substr(0, 3) + "mt\\");
    if (!p_.files.copy(taunt, preview_)) {
        if (!p_.files.exists(taunt))
            return tell(
                lang::tr(language_, "The taunt \"{1}\" is not there. Nothing is played.", {taunt}));
        return tell(lang::tr(language_,
                             "The taunt could not be copied to the preview file \"{1}\". Can the "
                             "drive be written? Nothing is played.",
                             {preview_}));
    }
    if (!p_.shell.start(testerPath))
        return tell(lang::tr(language_,
                             "The sound tester \"{1}\" could not be started. Please check its "
                             "path under \"musictester path\".",
                             {testerPath}));
    looksLeft_ = kMoreLooks;
    playerstart_.setEnabled(true);
}

void TauntPreview::loading(bool autoClose) {
    playerstart_.setEnabled(false);
    const platform::Activation a = p_.keys.activate(kTesterTitle);
    if (a != platform::Activation::Done) {
        if (looksLeft_-- > 0) return playerstart_.setEnabled(true);
        if (a == platform::Activation::NotInFront)
            return tell(lang::tr(language_,
                                 "The window of the sound tester (\"{1}\") is there but could "
                                 "not be brought to the front. Nothing was typed.",
                                 {kTesterTitle}));
        return tell(lang::tr(language_,
                             "The window of the sound tester (\"{1}\") did not appear. Nothing "
                             "was typed.",
                             {kTesterTitle}));
    }
    for (const std::string& keys :
         {std::string("{DOWN}"), std::string("{INSERT}"), std::string("Test"), std::string("{TAB}"),
          preview_, std::string("{TAB}"), std::string("{TAB}"), std::string("{TAB}"),
          std::string("{TAB}"), std::string("\r")})
        if (!p_.keys.send(keys, false)) return lostFocus();
    if (autoClose) zeitaus_.setEnabled(true);
}

bool TauntPreview::closing() {
    zeitaus_.setEnabled(false);
    if (p_.keys.activate(kTesterTitle) != platform::Activation::Done) return false;
    for (const char* keys : {"{TAB}", "{TAB}", "{TAB}", "{TAB}", "\r"})
        if (!p_.keys.send(keys, true)) return false;
    for (const char* keys : {"%", "{DOWN}", "{DOWN}", "{DOWN}", "{DOWN}", "{DOWN}", "\r", "\r"})
        if (!p_.keys.send(keys, false)) return false;
    return true;
}

void TauntPreview::noTester(lang::Language language) {
    language_ = language;
    tell(lang::tr(language_, "This system has no sound tester that Scourix can type into: the "
                             "taunt cannot be previewed here."));
}

void TauntPreview::lostFocus() {
    tell(lang::tr(language_, "The sound tester's window lost the focus while it was typed at; "
                             "the rest was not typed."));
}

void TauntPreview::tell(const std::string& text) {
    lang::tell(p_.dialogs, text);
}

} // namespace scourix
