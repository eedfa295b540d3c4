#pragma once
// Writing the player's settings files: the one check that a file fits before it is written, and
// his bytes kept before a file of his is replaced (a numbered copy beside it).
#include <string>

#include "common/language/language.h"

namespace platform {
class Files;
class Host;
} // namespace platform

namespace settings {

// The first free name for a copy of `path`: path.bak, then path.bak2, path.bak3, ... so that a
// later copy never overwrites one an earlier run made. Empty when all are taken.
std::string copyName(platform::Files& files, const std::string& path);

// Copies `from` to `to` and checks that the copy has the size of the original: a copy that
// reports success but came out short does not count (and is not left behind when `to` is new).
bool copyWhole(platform::Files& files, const std::string& from, const std::string& to);

// Copies `from` over `to` by way of a temporary file beside `to`, which takes its place only
// once it is whole: a copy that fails midway leaves `to` as it was.
bool copyOver(platform::Files& files, const std::string& from, const std::string& to);

// What became of a file before it is replaced.
enum class Kept {
    Nothing, // missing or empty: nothing of the player's to keep
    Copy,    // its bytes are in `copy`
    Failed,  // it could not be copied whole: it must not be replaced
};
Kept keepCopy(platform::Files& files, const std::string& path, std::string& copy);

// A settings file that could not be read and is replaced by a new one: keeps the player's bytes
// first, then writes `fresh`. A file that could not be kept, or `fresh` bigger than
// SettingsFile::kMaxBytes, leaves it as it was.
struct Replaced {
    bool written = false;
    bool leftAlone = false; // it could not be kept, or `fresh` not fit, so it was not replaced
    // For the player, in his language: what became of his file; empty when there was nothing
    // of his to keep.
    std::string message;
};
// Saving a settings file: `bytes` replace `path` unless they are bigger than
// SettingsFile::kMaxBytes. Then nothing is written and `tooBig` tells the player why, in his
// language; a write that failed leaves it empty, for each window says that in its own words.
struct Saving {
    bool written = false;
    std::string tooBig;
};
Saving save(platform::Files& files, platform::Host& host, const std::string& path,
            const std::string& bytes, lang::Language l);

Replaced replaceUnreadable(platform::Files& files, platform::Host& host, const std::string& path,
                           const std::string& fresh, lang::Language l);

} // namespace settings
