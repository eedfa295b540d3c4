#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// NoActivate shows the window without taking the focus.
enum class ShowMode { Normal, Minimized, Hidden, NoActivate, Maximized };

class Shell {
  public:
    virtual ~Shell() = default;
    // The shell's "Open" on a file. True when the shell reports that it started.
    virtual bool open(const std::string& file, const std::string& parameters,
                      const std::string& folder, ShowMode show) = 0;
    // The default action on an address (a web page).
    virtual bool openAddress(const std::string& address, ShowMode show = ShowMode::Normal) = 0;
    // Starts a program by its full path, without arguments, in its own folder, with a normal
    // window that gets the focus. False when it could not be started.
    virtual bool start(const std::string& program) = 0;
};

// Registry roots as the game and the two programs use them.
enum class RegRoot { LocalMachine, CurrentUser };

// The registry as the 32-bit game sees it: implementations use the 32-bit view.
class Registry {
  public:
    virtual ~Registry() = default;
    // Creates the key or opens it when it exists; true on success.
    virtual bool createKey(RegRoot root, const std::string& key) = 0;
    virtual bool setString(RegRoot root, const std::string& key, const std::string& name,
                           const std::string& value) = 0;
    virtual bool setDword(RegRoot root, const std::string& key, const std::string& name,
                          std::uint32_t value) = 0;
    // Reads a value as text (a DWORD as its decimal digits); false when it is missing.
    virtual bool read(RegRoot root, const std::string& key, const std::string& name,
                      std::string& value) = 0;
    // The names of the key's direct subkeys; false when the key cannot be opened.
    virtual bool subkeys(RegRoot root, const std::string& key, std::vector<std::string>& names) = 0;
};

// The kinds of registry data the readers tell apart.
enum class RegType { String, MultiString, Dword, Other };
// The text a value read from the registry stands for: `data` is exactly the data returned, its
// strings in UTF-16 (little-endian). A string ends at its first NUL; a multi-string is taken
// whole with every NUL turned into CR LF; a number is its decimal digits (data shorter than four
// bytes counts with the bytes there are); any other type gives empty text.
std::string registryText(RegType type, const std::string& data);

// Conversion between the settings files' single-byte code page and UTF-8.
class Codepage {
  public:
    virtual ~Codepage() = default;
    virtual std::string toUtf8(const std::string& ansi) = 0;
    virtual std::string fromUtf8(const std::string& utf8) = 0;
};

// Whether the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing past
// U+10FFFF).
bool isUtf8(const std::string& bytes);
// The length of the well-formed UTF-8 sequence at `i` with its code point in `c`; 0 when none
// begins there.
std::size_t utf8Sequence(const std::string& bytes, std::size_t i, std::uint32_t& c);

// Windows-1252, the code page used where the system has none of its own.
class Cp1252 : public Codepage {
  public:
    std::string toUtf8(const std::string& ansi) override;
    std::string fromUtf8(const std::string& utf8) override;
};

struct Version {
    int major = 0, minor = 0, revision = 0;
};
// "major.minor.revision".
inline std::string versionText(const Version& v) {
    return std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.revision);
}

// The running program: its folder, its own version, its end.
class App {
  public:
    virtual ~App() = default;
    // Folder of the running executable, without trailing backslash.
    virtual std::string programFolder() = 0;
    virtual Version version() = 0;
    virtual std::uint64_t milliseconds() = 0;
    // Ends the program at once, without asking its windows.
    virtual void end() = 0;
};

} // namespace platform
