#include "common/registry/registry_file.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "platform/lower_case.h"

namespace gameregistry {
namespace {

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (text::lowerCase(a[i]) != text::lowerCase(b[i])) return false;
    return true;
}

bool blank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A hex number as the game converts it: sign and "0x" allowed, digits up to the first other
// character, nothing at all is 0, and a number past the range of an int stops at its end.
std::uint32_t hexNumber(const std::string& t) {
    std::size_t i = 0;
    const bool negative = i < t.size() && t[i] == '-';
    if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
    if (i + 1 < t.size() && t[i] == '0' && text::lowerCase(t[i + 1]) == 'x') i += 2;
    long long v = 0;
    for (; i < t.size(); ++i) {
        const char c = text::lowerCase(t[i]);
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) break;
        v = std::min(v * 16 + digit, 1LL << 31);
    }
    if (negative) v = -v;
    v = std::max<long long>(std::min<long long>(v, INT_MAX), INT_MIN);
    return static_cast<std::uint32_t>(static_cast<int>(v));
}

} // namespace

RegistryFile::RegistryFile() : lines_{"[Version]\r\n"} {}

RegistryFile::RegistryFile(const std::string& bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', pos), bytes.size() - 1);
        lines_.push_back(bytes.substr(pos, end + 1 - pos));
        pos = end + 1;
    }
}

std::vector<RegistryFile::Record> RegistryFile::records() const {
    std::vector<Record> out;
    std::optional<std::string> section; // none before the first section or in one without a name
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        // Text mode: CR LF is read as LF, and a Ctrl-Z is the end of the file.
        std::string line = lines_[i];
        const bool last = line.find('\x1a') != std::string::npos;
        if (last) line.erase(line.find('\x1a'));
        if (line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0)
            line.replace(line.size() - 2, 2, "\n");

        for (std::size_t at = 0; at < line.size(); at += kPiece) {
            std::string piece = line.substr(at, kPiece);
            if (piece.back() != '\n' && piece.size() < kPiece) break; // the end of the file
            piece.erase(std::min(piece.find('\0'), piece.size()));
            if (piece.empty()) continue;
            if (piece[0] == '[') {
                const std::size_t close = piece.find(']');
                section = close == std::string::npos ? std::nullopt
                                                     : std::optional(piece.substr(1, close - 1));
                continue;
            }
            const std::size_t close = piece.find('"', 1);
            if (piece[0] != '"' || !section || close == std::string::npos) continue;
            Record r{i, at == 0, *section, piece.substr(1, close - 1), false, std::nullopt};
            const std::size_t eq = piece.find('=');
            r.number = eq != std::string::npos && eq + 1 < piece.size() && piece[eq + 1] == 'd';
            // After the name's closing quote one character is passed over ('='); a number then
            // skips "dword:" by its length.
            std::size_t p = close + 2 + (r.number ? 6 : 0);
            if (p <= piece.size()) {
                while (p < piece.size() && blank(piece[p])) ++p;
                if (r.number) {
                    std::size_t end = p;
                    while (end < piece.size() && !blank(piece[end]) && piece[end] != ',' &&
                           end - p < kMaxValue)
                        ++end;
                    r.data = piece.substr(p, end - p);
                } else if (p < piece.size() && piece[p] == '"') {
                    const std::size_t end = piece.find('"', p + 1);
                    if (end != std::string::npos && end - p - 1 <= kMaxValue)
                        r.data = piece.substr(p + 1, end - p - 1);
                }
            }
            out.push_back(std::move(r));
        }
        if (last) break;
    }
    return out;
}

std::optional<RegistryFile::Record> RegistryFile::last(const std::string& section,
                                                       const std::string& name) const {
    std::optional<Record> found;
    for (Record& r : records())
        if (sameName(r.section, section) && sameName(r.name, name)) found = std::move(r);
    return found;
}

std::optional<std::string> RegistryFile::text(const std::string& section,
                                              const std::string& name) const {
    auto r = last(section, name);
    if (!r || r->number) return {};
    return r->data;
}

std::optional<std::uint32_t> RegistryFile::number(const std::string& section,
                                                  const std::string& name) const {
    auto r = last(section, name);
    if (!r || !r->number || !r->data) return {};
    return hexNumber(*r->data);
}

bool RegistryFile::setText(const std::string& section, const std::string& name,
                           const std::string& value) {
    if (value.size() > kMaxValue ||
        value.find_first_of(std::string("\"\r\n\x1a\0", 5)) != std::string::npos)
        return false;
    Record expected{0, true, section, name, false, value};
    return set(section, name, "\"" + name + "\"=\"" + value + "\"", expected);
}

bool RegistryFile::setNumber(const std::string& section, const std::string& name,
                             std::uint32_t value) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(value));
    Record expected{0, true, section, name, true, std::string(hex)};
    return set(section, name, "\"" + name + "\"=dword:" + hex, expected);
}

// Lines after a last line without its line end would make the game read that line.
std::size_t RegistryFile::endOfReadLines() const {
    return lines_.empty() || lines_.back().back() == '\n' ? lines_.size() : lines_.size() - 1;
}

bool RegistryFile::set(const std::string& section, const std::string& name, const std::string& line,
                       const Record& expected) {
    const std::string ours = line + "\r\n";
    if (line.size() + 1 > kPiece) return false;
    const std::vector<std::string> before = lines_;
    auto readBack = [&] {
        auto r = last(section, name);
        return r && r->number == expected.number && r->data == expected.data;
    };
    auto insert = [&](std::size_t at, std::vector<std::string> text) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), text.begin(), text.end());
    };

    bool replaced = false;
    for (const Record& r : records())
        if (r.wholeLine && sameName(r.section, section) && sameName(r.name, name))
            lines_[r.line] = ours, replaced = true;
    if (!replaced) {
        // After the last record of the section's first block, or at its head.
        std::optional<std::size_t> at;
        for (std::size_t i = 0; i < endOfReadLines(); ++i) {
            const std::string& l = lines_[i];
            if (l[0] == '[') {
                if (at) break;
                const std::size_t close = l.find(']');
                if (close != std::string::npos && sameName(l.substr(1, close - 1), section))
                    at = i + 1;
            } else if (at && l[0] == '"') {
                at = i + 1;
            }
        }
        if (at)
            insert(*at, {ours});
        else
            insert(endOfReadLines(), {"[" + section + "]\r\n", ours});
    }
    // A later piece of a long line, or a section the game cannot read: the value goes into a
    // section of its own at the end, where it is the last the game reads.
    if (!readBack()) insert(endOfReadLines(), {"[" + section + "]\r\n", ours});
    if (readBack()) return true;
    lines_ = before;
    return false;
}

std::string RegistryFile::bytes() const {
    std::string out;
    for (const auto& l : lines_) out += l;
    return out;
}

} // namespace gameregistry
