#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// What a program's version resource tells about it.
struct ProgramVersion {
    std::string originalName; // "OriginalFilename", as the maker named the program
    int major = 0, minor = 0, build = 0;
};

// The kind of system the programs run on.
enum class System { Windows, Linux };

// What the system knows beyond files: the player's own folders and the programs that run.
class Host {
  public:
    virtual ~Host() = default;
    // The player's roaming application data folder (%APPDATA%), without trailing backslash;
    // empty when the system has none.
    virtual std::string userDataFolder() = 0;
    // The version resource of a program file; none when it has none or cannot be read.
    virtual std::optional<ProgramVersion> programVersion(const std::string& path) = 0;
    // Whether a program started from this file runs now (the path compared without case).
    virtual bool running(const std::string& path) = 0;
    // The system's folder for temporary files, as the game's runtime finds it (%TEMP%, $TMPDIR
    // or /tmp), without trailing separator; empty when there is none.
    virtual std::string tempFolder() { return ""; }
    // Whether a process with this id runs now.
    virtual bool processRunning(std::int32_t) { return false; }
    // The full path of the program the process with this id runs, in the system's own form;
    // empty when it cannot be told (no such process, or one the system does not tell about).
    virtual std::string processProgram(std::int32_t) { return ""; }
    // A path of the logic (folders separated by "\") as the player reads it on this system.
    virtual std::string shownPath(const std::string& path) { return path; }
    // The file name of the program called `name` on this system: "Descent3.exe" on Windows.
    virtual std::string programFile(const std::string& name) { return name + ".exe"; }
    // The system the programs run on.
    virtual System system() { return System::Windows; }
    // The player's home folder on a system whose stores keep their lists there ($HOME on
    // Linux), without trailing separator; empty where there is none, and on Windows, whose stores
    // are found in the registry.
    virtual std::string homeFolder() { return ""; }
    // The language of the system's interface as a locale name ("fr_FR.UTF-8", "de", "es-ES");
    // empty when the system names none.
    virtual std::string uiLanguage() { return ""; }

    // A host that knows nothing: no data folder, no versions, nothing running.
    static Host& none();
};

} // namespace platform
