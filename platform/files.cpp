#include "platform/files.h"

#include <cctype>

namespace platform {
namespace {

bool matchMask(const char* m, const char* n) {
    for (; *m; ++m, ++n) {
        if (*m == '*') {
            for (++m; *m == '*'; ++m) {}
            if (!*m) return true;
            for (; *n; ++n)
                if (matchMask(m, n)) return true;
            return false;
        }
        if (!*n) return false;
        if (*m != '?' && std::tolower(static_cast<unsigned char>(*m)) !=
                             std::tolower(static_cast<unsigned char>(*n)))
            return false;
    }
    return !*n;
}

} // namespace

bool matchesPattern(const std::string& name, const std::string& pattern) {
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(';', start);
        if (end == std::string::npos) end = pattern.size();
        std::string mask = pattern.substr(start, end - start);
        if (mask == "*.*") mask = "*";
        if (!mask.empty() && matchMask(mask.c_str(), name.c_str())) return true;
        start = end + 1;
    }
    return false;
}

} // namespace platform
