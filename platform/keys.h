#pragma once
#include <string>
#include <vector>

namespace platform {

// Keystrokes typed into another program's window, as a player would type them.
//
// Key strings use this notation: "{DOWN}", "{INSERT}", "{TAB}" and "{ENTER}" name those keys,
// "%" is the Alt key pressed and released alone, the character 13 is Enter, and every other
// character is typed as it is.
// What became of an activation.
enum class Activation {
    Done,
    NoWindow,   // there is no window of that title
    NotInFront, // there is one, but it did not come to the front
};

class Keys {
  public:
    virtual ~Keys() = default;
    // Brings the top-level window with exactly this title to the front and makes it the target
    // of the following sends. Waits no more than a moment for it: the caller's window thread
    // goes on. Unless Done there is no target and nothing can be sent.
    virtual Activation activate(const std::string& title) = 0;
    // Types the keys into the target. With `wait` each key is sent only once the target has
    // taken the one before; without, all are queued at once. Keys go to the target alone: a
    // key is not sent when the target has lost the focus or is gone, and the send returns
    // false with the rest unsent.
    virtual bool send(const std::string& keys, bool wait) = 0;
    // Whether this system lets keys be typed into other programs at all.
    virtual bool reachesOtherPrograms() { return true; }
};

// One key of a key string: a named key ("DOWN", "INSERT", "TAB", "ENTER", "ALT") or a
// character (UTF-8) when `name` is empty.
struct Key {
    std::string name;
    std::string character;
    bool operator==(const Key&) const = default;
};

// Splits a key string into its keys. A brace group that names no key is typed as it stands.
std::vector<Key> parseKeys(const std::string& keys);

} // namespace platform
