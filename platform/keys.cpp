#include "platform/keys.h"

namespace platform {

std::vector<Key> parseKeys(const std::string& keys) {
    static const char* const kNamed[] = {"DOWN", "INSERT", "TAB", "ENTER"};
    std::vector<Key> out;
    for (std::size_t i = 0; i < keys.size();) {
        const char c = keys[i];
        if (c == '{') {
            const std::size_t end = keys.find('}', i + 1);
            if (end != std::string::npos) {
                const std::string name = keys.substr(i + 1, end - i - 1);
                bool known = false;
                for (const char* n : kNamed) known = known || name == n;
                if (known) {
                    out.push_back({name, ""});
                    i = end + 1;
                    continue;
                }
            }
        }
        if (c == '%') {
            out.push_back({"ALT", ""});
            ++i;
            continue;
        }
        if (c == '\r') {
            out.push_back({"ENTER", ""});
            ++i;
            continue;
        }
        // One UTF-8 character: its lead byte and the continuation bytes after it.
        std::size_t n = 1;
        while (i + n < keys.size() && (static_cast<unsigned char>(keys[i + n]) & 0xC0) == 0x80) ++n;
        out.push_back({"", keys.substr(i, n)});
        i += n;
    }
    return out;
}

} // namespace platform
