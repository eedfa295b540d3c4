#pragma once
// ASCII letters in lower case, the way Windows compares file and value names here; other bytes
// stay as they are.
#include <string>

namespace text {

inline char lowerCase(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

inline std::string lowerCase(std::string s) {
    for (char& c : s) c = lowerCase(c);
    return s;
}

} // namespace text
