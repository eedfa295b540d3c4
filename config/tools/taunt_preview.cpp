#include "config/tools/taunt_preview.h"

#include <cctype>

namespace scourix {

using platform::Buttons;
using platform::Icon;

TauntPreview::TauntPreview(platform::Platform& p, ui::Timer& playerstart, ui::Timer& zeitaus)
    : p_(p), playerstart_(playerstart), zeitaus_(zeitaus) {}

TauntPreview::Way TauntPreview::way(const std::string& testerPath) const {
    const bool tester = !testerPath.empty();
    if (p_.sound.plays() && (!tester || !p_.keys.reachesOtherPrograms())) return Way::Own;
    return tester ? Way::Tester : Way::None;
}

bool TauntPreview::testerOffered(platform::Platform& p) {
    return p.keys.reachesOtherPrograms() || !p.sound.plays();
}

std::string TauntPreview::previewFile(const std::string& gamePath, const std::string& tempFolder) {
    const bool drive = gamePath.size() >= 3 &&
                       std::isalpha(static_cast<unsigned char>(gamePath[0])) &&
                       gamePath[1] == ':' && gamePath[2] == '\\';
    if (drive) return gamePath.substr(0, 3) + "mt\\test.osf";
    return tempFolder.empty() ? "" : tempFolder + "\\mt\\test.osf";
}

void TauntPreview::start(const std::string& taunt, const std::string& gamePath,
                         const std::string& testerPath, lang::Language language) {
    language_ = language;
    preview_ = previewFile(gamePath, p_.host.tempFolder());
    // The folder may be there already; whether it could be made shows in the copy below.
    if (!preview_.empty()) p_.files.makeFolder(preview_.substr(0, preview_.size() - 8));
    if (!p_.files.copy(taunt, preview_)) {
        if (!p_.files.exists(taunt))
            return tell(lang::tr(language_, "The taunt \"{1}\" is not there. Nothing is played.",
                                 {p_.host.shownPath(taunt)}));
        return tell(lang::tr(language_,
                             "The taunt could not be copied to the preview file \"{1}\". Can the "
                             "drive be written? Nothing is played.",
                             {p_.host.shownPath(preview_)}));
    }
    if (!p_.shell.start(testerPath))
        return tell(lang::tr(language_,
                             "The sound tester \"{1}\" could not be started. Please check its "
                             "path under \"musictester path\".",
                             {p_.host.shownPath(testerPath)}));
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

std::optional<platform::Clip> tauntClip(const std::string& bytes) {
    constexpr std::size_t kTrailer = 128;
    if (bytes.size() <= kTrailer) return std::nullopt;
    const std::size_t at = bytes.size() - kTrailer;
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    if (bytes.compare(at, 4, "OSF1") != 0 || byte(4) != 0) return std::nullopt;
    platform::Clip clip;
    clip.data = bytes.substr(0, at);
    if (byte(5) == 1) {
        clip.coding = platform::Coding::InterplayAcm;
        return clip;
    }
    const unsigned rate = byte(7);
    if (byte(5) != 0 || (rate != 11 && rate != 22 && rate != 44)) return std::nullopt;
    clip.coding = byte(6) & 0x01 ? platform::Coding::Pcm16 : platform::Coding::Pcm8;
    clip.channels = byte(6) & 0x10 ? 2 : 1;
    clip.rate = rate == 11 ? 11025 : rate == 22 ? 22050 : 44100;
    return clip;
}

void TauntPreview::play(const std::string& taunt, lang::Language language) {
    language_ = language;
    std::string bytes;
    if (p_.files.missing(taunt))
        return lang::tell(p_.dialogs,
                          lang::tr(language, "The taunt \"{1}\" is not there. Nothing is played.",
                                   {p_.host.shownPath(taunt)}));
    if (!p_.files.read(taunt, bytes, kMostBytes))
        return lang::tell(p_.dialogs,
                          lang::tr(language, "The taunt \"{1}\" cannot be read. Nothing is played.",
                                   {p_.host.shownPath(taunt)}));
    const std::optional<platform::Clip> clip = tauntClip(bytes);
    const platform::Played played = clip ? p_.sound.play(*clip) : platform::Played::Unreadable;
    if (played == platform::Played::Unreadable)
        return lang::tell(
            p_.dialogs, lang::tr(language,
                                 "The file \"{1}\" holds no taunt that Scourix can play: its sound "
                                 "is damaged or of an unknown kind.",
                                 {p_.host.shownPath(taunt)}));
    if (played == platform::Played::NoOutput)
        return lang::tell(p_.dialogs, lang::tr(language, "The taunt could not be played: the "
                                                         "system's sound output could not be "
                                                         "opened."));
    if (played == platform::Played::NotHere) noTester(language);
}

void TauntPreview::nothingChosen(lang::Language language) {
    lang::tell(p_.dialogs, lang::tr(language, "Choose a taunt in the list first, then play it."),
               Icon::Information);
}

void TauntPreview::lostFocus() {
    tell(lang::tr(language_, "The sound tester's window lost the focus while it was typed at; "
                             "the rest was not typed."));
}

void TauntPreview::tell(const std::string& text) {
    lang::tell(p_.dialogs, text);
}

} // namespace scourix
