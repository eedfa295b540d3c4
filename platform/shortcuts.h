#pragma once
#include <string>

namespace platform {

// Shell links (".lnk" files) on the desktop.
class Shortcuts {
  public:
    virtual ~Shortcuts() = default;
    // The desktop shared by all users, without trailing backslash; empty when there is none.
    virtual std::string commonDesktop() = 0;
    // The player's own desktop; empty when there is none.
    virtual std::string userDesktop() = 0;
    // Writes a shell link at `link` that points at the program `target`, with nothing else set.
    // False when the link cannot be written; a file that exists at `link` is never replaced.
    virtual bool create(const std::string& link, const std::string& target) = 0;
    // The ending of a shortcut's file name on this system.
    virtual std::string extension() { return ".lnk"; }
};

} // namespace platform
