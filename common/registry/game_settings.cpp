#include "common/registry/game_settings.h"

#include <algorithm>

#include "platform/lower_case.h"

namespace gameregistry {
namespace {

const auto kRoot = platform::RegRoot::LocalMachine;

// Records the names set, to tell what a write would set.
class Names : public GameSettings {
  public:
    explicit Names(bool openSource) : openSource_(openSource) {}
    bool openSource() const override { return openSource_; }
    std::string where() const override { return {}; }
    std::string read(const char*) override { return {}; }
    std::string version() override { return {}; }
    std::size_t size(const std::string&) override { return 0; }
    bool setText(const char* name, const std::string&) override { return add(name); }
    bool setNumber(const char* name, std::uint32_t) override { return add(name); }
    std::vector<std::string> names;

  private:
    bool add(const char* name) {
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
        return true;
    }
    bool openSource_;
};

} // namespace

std::string RegistrySettings::read(const char* name) {
    std::string text;
    if (!registry_.read(kRoot, kGameKey, name, text)) text.clear();
    return text;
}

std::string RegistrySettings::version() {
    std::string out;
    for (int i = 0; i < 3; ++i) {
        std::string text;
        if (!registry_.read(kRoot, kVersionKey, kVersionParts[i], text)) text.clear();
        out += (i ? "." : "") + text;
    }
    return out;
}

std::size_t RegistrySettings::size(const std::string& text) {
    return codepage_.fromUtf8(text).size();
}

bool RegistrySettings::setText(const char* name, const std::string& value) {
    registry_.createKey(kRoot, kGameKey);
    registry_.setString(kRoot, kGameKey, name, value);
    return true;
}

bool RegistrySettings::setNumber(const char* name, std::uint32_t value) {
    registry_.createKey(kRoot, kGameKey);
    registry_.setDword(kRoot, kGameKey, name, value);
    return true;
}

FileSettings::FileSettings(platform::Files& files, platform::Codepage& codepage, std::string path,
                           std::string version)
    : files_(files), codepage_(codepage), path_(std::move(path)), version_(std::move(version)) {
    const auto there = path_.empty() ? platform::Files::Presence::Unknown : files.presence(path_);
    if (there == platform::Files::Presence::Missing) {
        state_ = State::Missing;
    } else if (there == platform::Files::Presence::File) {
        std::string bytes;
        if (files.read(path_, bytes, kMaxBytes) && bytes.find('\0') == std::string::npos) {
            read_ = bytes;
            file_ = RegistryFile(std::move(bytes));
            state_ = State::Read;
        }
    }
    // Anything else may hold the game's other settings: it is not one to build from nothing.
}

bool FileSettings::save() {
    if (state_ == State::Unreadable || !fits()) return false;
    // Unchanged: the file on disk holds these bytes already, and writing it durably takes long.
    if (state_ == State::Read && file_.bytes() == read_) return true;
    // The folders above it: the player's own folder may not exist yet.
    if (state_ == State::Missing) platform::makeFolders(files_, path_.substr(0, path_.rfind('\\')));
    return files_.write(path_, file_.bytes());
}

std::string FileSettings::read(const char* name) {
    if (auto t = file_.text(kFileSection, name))
        return platform::isUtf8(*t) ? *t : codepage_.toUtf8(*t);
    if (auto n = file_.number(kFileSection, name)) return std::to_string(*n);
    return {};
}

bool FileSettings::setText(const char* name, const std::string& value) {
    return file_.setText(kFileSection, name, value);
}

bool FileSettings::setNumber(const char* name, std::uint32_t value) {
    return file_.setNumber(kFileSection, name, value);
}

std::unique_ptr<GameSettings> open(platform::Platform& p, const edition::Game& game) {
    if (!game.openSource()) return std::make_unique<RegistrySettings>(p.registry, p.codepage);
    std::string version;
    if (auto v = p.host.programVersion(game.program))
        version = platform::versionText({v->major, v->minor, v->build});
    return std::make_unique<FileSettings>(p.files, p.codepage, game.settingsFile, version);
}

std::size_t maxBytes(const char* name) {
    for (const Buffer& b : kBuffers)
        if (std::string(b.name) == name) return b.bytes - 1;
    return SIZE_MAX;
}

bool fits(GameSettings& at, const char* name, const std::string& value) {
    return at.size(value) <= maxBytes(name);
}

std::vector<std::string> write(GameSettings& to, const settings::NetworkIni& net,
                               const std::string& pilotName) {
    std::vector<std::string> left;
    auto text = [&](const char* name, const std::string& value) {
        if (!fits(to, name, value) || !to.setText(name, value)) left.push_back(name);
    };
    auto number = [&](const char* name, std::uint32_t value) {
        if (!to.setNumber(name, value)) left.push_back(name);
    };
    if (!pilotName.empty()) text(kDefaultPilot, pilotName + ".plt");
    if (auto n = languageNumber(net.gameLanguage)) number(kLanguageType, *n);
    for (const Choice& c : kKeyboards)
        if (net.*c.flag == "1") text(kKeyboardType, c.word);
    for (std::size_t i = 0; i < kConnections.size(); ++i)
        if (net.*kConnections[i].flag == "1")
            text(kNetworkConnection, to.openSource() ? kFileConnections[i] : kConnections[i].word);
    for (std::size_t i = 0; i < kSpeeds.size(); ++i)
        if (net.*kSpeeds[i].flag == "1") {
            text(kConnectionSpeed, kSpeeds[i].word);
            if (to.openSource()) number(kClientPps, kSpeedPps[i]);
        }
    if (!net.trackerName.empty()) text(kTrackerLogin, net.trackerName);
    if (!net.trackerSecret.empty()) text(kTrackerPassword, net.trackerSecret);
    return left;
}

std::optional<std::uint32_t> languageNumber(const std::string& name) {
    for (std::uint32_t i = 0; i < kLanguages.size(); ++i)
        if (name == kLanguages[i]) return i;
    return std::nullopt;
}

std::vector<std::string> chosen(const settings::NetworkIni& net, const std::string& pilotName,
                                bool openSource) {
    Names names(openSource);
    write(names, net, pilotName);
    return names.names;
}

Shown show(GameSettings& from) {
    Shown out;
    out.login = from.read(kTrackerLogin);
    out.password = from.read(kTrackerPassword);
    const std::string lang = from.read(kLanguageType);
    if (lang.size() == 1 && lang[0] >= '0' && lang[0] <= '4')
        out.language = kLanguages[lang[0] - '0'];
    else if (lang.empty())
        out.language = "";

    // The last choice whose word the value holds.
    auto choice = [&](const char* name, const auto& choices) {
        const std::string value = from.read(name);
        std::optional<std::size_t> found;
        for (std::size_t i = 0; i < choices.size(); ++i)
            if (value.find(choices[i].word) != std::string::npos) found = i;
        return found;
    };
    out.keyboard = choice(kKeyboardType, kKeyboards);
    // The open-source game takes "DIALUP" in any case for dial-up and anything else for a
    // network.
    out.connection =
        !from.openSource() ? choice(kNetworkConnection, kConnections)
        : text::lowerCase(from.read(kNetworkConnection)) == text::lowerCase(kFileConnections[1])
            ? 1
            : 2;
    out.speed = choice(kConnectionSpeed, kSpeeds);
    out.version = from.version();
    return out;
}

Shown overlay(Shown shown, const settings::NetworkIni& saved) {
    if (languageNumber(saved.gameLanguage)) shown.language = saved.gameLanguage;
    // The last flag that is "1", as the last write of a value stays.
    auto flagged = [&](const auto& choices, std::optional<std::size_t>& out) {
        for (std::size_t i = 0; i < choices.size(); ++i)
            if (saved.*choices[i].flag == "1") out = i;
    };
    flagged(kKeyboards, shown.keyboard);
    flagged(kConnections, shown.connection);
    flagged(kSpeeds, shown.speed);
    if (!saved.trackerName.empty()) shown.login = saved.trackerName;
    if (!saved.trackerSecret.empty()) shown.password = saved.trackerSecret;
    return shown;
}

} // namespace gameregistry
