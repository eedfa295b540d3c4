#pragma once
// The game's own settings in either place the editions keep them: the retail game's registry key
// or the open-source game's settings file. What Gatefire writes from network.ini, what the game
// settings page shows and the game's limits stand here once, for both places.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/edition/edition.h"
#include "common/registry/game_registry.h"
#include "common/registry/registry_file.h"
#include "common/settings/layouts.h"
#include "platform/platform.h"

namespace gameregistry {

class GameSettings {
  public:
    virtual ~GameSettings() = default;
    // The open-source game's words ("DIALUP" alone is dial-up) and its packets per second
    // beside the connection speed.
    virtual bool openSource() const = 0;
    // The place, as a message names it.
    virtual std::string where() const = 0;
    // A value as text, a number in decimal; empty when missing.
    virtual std::string read(const char* name) = 0;
    // The version of the game that reads these settings, "major.minor.build".
    virtual std::string version() = 0;
    // The bytes of a text as the game reads it from here.
    virtual std::size_t size(const std::string& text) = 0;
    // Sets a value; false when this place cannot hold it, which leaves it as it was. A system
    // call that fails is not told here: each value fails on its own.
    virtual bool setText(const char* name, const std::string& value) = 0;
    virtual bool setNumber(const char* name, std::uint32_t value) = 0;
};

// The retail game's key below HKEY_LOCAL_MACHINE; texts in the system's code page.
class RegistrySettings : public GameSettings {
  public:
    RegistrySettings(platform::Registry& registry, platform::Codepage& codepage)
        : registry_(registry), codepage_(codepage) {}
    bool openSource() const override { return false; }
    std::string where() const override { return kGameKey; }
    std::string read(const char* name) override;
    std::string version() override; // the parts of the version key; ".." without it
    std::size_t size(const std::string& text) override;
    bool setText(const char* name, const std::string& value) override;
    bool setNumber(const char* name, std::uint32_t value) override;

  private:
    platform::Registry& registry_;
    platform::Codepage& codepage_;
};

// The open-source game's settings file, read once, in UTF-8 (a text of older tools in the code
// page is shown converted).
class FileSettings : public GameSettings {
  public:
    enum class State { Read, Missing, Unreadable };
    // A bigger file is not read.
    static constexpr std::uint64_t kMaxBytes = 1 << 20;

    // Reads `path`: Unreadable when it could not be read, is bigger than kMaxBytes or holds a
    // zero byte, or when the file system cannot say whether it is there; a missing file starts
    // as a new one.
    FileSettings(platform::Files& files, platform::Codepage& codepage, std::string path,
                 std::string version = "");
    State state() const { return state_; }
    // Writes the file whole, its folders made first when it was missing. False, with nothing
    // written, when it was not read, when it would be bigger than kMaxBytes (fits()), or when
    // the write failed.
    bool save();
    bool fits() const { return file_.bytes().size() <= kMaxBytes; }
    const RegistryFile& file() const { return file_; }

    bool openSource() const override { return true; }
    std::string where() const override { return edition::kRegistryFile; }
    std::string read(const char* name) override;
    std::string version() override { return version_; }
    std::size_t size(const std::string& text) override { return text.size(); }
    bool setText(const char* name, const std::string& value) override;
    bool setNumber(const char* name, std::uint32_t value) override;

  private:
    platform::Files& files_;
    platform::Codepage& codepage_;
    std::string path_, version_;
    State state_ = State::Unreadable;
    RegistryFile file_;
    std::string read_; // the bytes as read, when State::Read
};

// The place `game` keeps its settings, read now.
std::unique_ptr<GameSettings> open(platform::Platform& p, const edition::Game& game);

// The most bytes the game takes of a text value; SIZE_MAX for a value without a buffer of its
// own.
std::size_t maxBytes(const char* name);
// Whether a text reaches the game whole from `at`.
bool fits(GameSettings& at, const char* name, const std::string& value);

// Writes what network.ini and the pilot name choose, each value only under its condition, in
// the game's order; a value whose condition is not met keeps what it was. Returns the names of
// the values left out: past the game's buffer, or more than the place can hold.
std::vector<std::string> write(GameSettings& to, const settings::NetworkIni& net,
                               const std::string& pilotName);
// The number LanguageType takes for a language as network.ini names it; none for any other
// text, which write() leaves out.
std::optional<std::uint32_t> languageNumber(const std::string& name);

// The names write() would set, each once.
std::vector<std::string> chosen(const settings::NetworkIni& net, const std::string& pilotName,
                                bool openSource);

// What the game settings page shows of the game's settings.
struct Shown {
    std::string login, password;
    // The language of LanguageType; empty when it is missing (the US version), none when it
    // names none.
    std::optional<std::string> language;
    // The option of kKeyboards, kConnections, kSpeeds that is selected (the last whose word the
    // value holds); none when the value holds none.
    std::optional<std::size_t> keyboard, connection, speed;
    std::string version;
};
Shown show(GameSettings& from);
// What the player saved in network.ini over what `shown` holds: each value write() would take
// from it; the others as shown.
Shown overlay(Shown shown, const settings::NetworkIni& saved);

} // namespace gameregistry
