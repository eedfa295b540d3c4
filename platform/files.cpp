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

// The code points of UTF-8 text; a byte that starts no sequence stands for itself.
std::u32string codePoints(const std::string& s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char b = static_cast<unsigned char>(s[i]);
        const int more = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : b >= 0xC0 ? 1 : 0;
        char32_t c = more ? b & (0x3F >> more) : b;
        int n = 0;
        while (n < more && i + 1 + n < s.size() &&
               (static_cast<unsigned char>(s[i + 1 + n]) & 0xC0) == 0x80)
            c = (c << 6) | (static_cast<unsigned char>(s[i + 1 + n++]) & 0x3F);
        if (n < more) c = b, n = 0;
        out += c;
        i += 1 + n;
    }
    return out;
}

char32_t upper(char32_t c) {
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
    if (c == 0xFF) return 0x178;
    if (c >= 0x100 && c <= 0x17F) { // Latin Extended-A: pairs of upper and lower case
        if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return c % 2 ? c : c - 1;
        if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        return c % 2 ? c - 1 : c;
    }
    if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 32; // Greek
    if (c >= 0x430 && c <= 0x44F) return c - 32;               // Cyrillic
    if (c >= 0x450 && c <= 0x45F) return c - 80;
    return c;
}

} // namespace

bool makeFolders(Files& files, const std::string& folder) {
    // From the first separator after the root ("C:\", "\\server", "/") down to the folder.
    for (std::size_t at = folder.find_first_of("\\/", 1);;
         at = folder.find_first_of("\\/", at + 1)) {
        const std::string part = folder.substr(0, at);
        if (!part.empty() && part.back() != ':' && files.missing(part)) files.makeFolder(part);
        if (at == std::string::npos) break;
    }
    return files.folderExists(folder);
}

bool sameNameIgnoringCase(const std::string& a, const std::string& b) {
    return upperCaseKey(a) == upperCaseKey(b);
}

std::u32string upperCaseKey(const std::string& name) {
    std::u32string key = codePoints(name);
    for (char32_t& c : key) c = upper(c);
    return key;
}

bool validFileName(const std::string& name) {
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    for (unsigned char c : name)
        if (c < 32 || std::string("\\/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos)
            return false;
    // Windows passes over blanks before the extension when it looks for a device name.
    std::string base = name.substr(0, name.find('.'));
    base.erase(base.find_last_not_of(' ') + 1);
    for (char& c : base) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (base == device) return false;
    return !(base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) &&
             base[3] >= '1' && base[3] <= '9');
}

bool matchesPattern(const std::string& name, const std::string& pattern) {
    std::size_t start = 0;
    while (start <= pattern.size()) {
        std::size_t end = pattern.find(';', start);
        if (end == std::string::npos) end = pattern.size();
        std::string mask = pattern.substr(start, end - start);
        if (mask == "*.*") mask = "*";
        if (mask == kPrograms) mask = "*.exe";
        if (!mask.empty() && matchMask(mask.c_str(), name.c_str())) return true;
        start = end + 1;
    }
    return false;
}

} // namespace platform
