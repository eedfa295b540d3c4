#include "common/registry/registry_file.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include "platform/lower_case.h"

namespace gameregistry {
namespace {

bool sameName(std::string_view a, std::string_view b) {
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
std::uint32_t hexNumber(std::string_view t) {
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

RegistryFile::RegistryFile() : text_("[Version]\r\n"), lines_{{0, text_.size()}} {}

RegistryFile::RegistryFile(std::string bytes) : text_(std::move(bytes)) {
    for (std::size_t pos = 0; pos < text_.size();) {
        const std::size_t end = std::min(text_.find('\n', pos), text_.size() - 1);
        lines_.push_back({pos, end + 1 - pos});
        pos = end + 1;
    }
}

// Calls visit(record) for each record in the order the game reads them.
template <class Visit> void RegistryFile::visitRecords(Visit&& visit) const {
    std::string section;    // the current section's name
    bool inSection = false; // none before the first section or in one without a name
    std::string line;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        // Text mode: CR LF is read as LF, and a Ctrl-Z is the end of the file.
        line.assign(this->line(i));
        const std::size_t ctrlZ = line.find('\x1a');
        const bool last = ctrlZ != std::string::npos;
        if (last) line.erase(ctrlZ);
        if (line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0) {
            line.pop_back();
            line.back() = '\n';
        }

        for (std::size_t at = 0; at < line.size(); at += kPiece) {
            std::string_view piece = std::string_view(line).substr(at, kPiece);
            if (piece.back() != '\n' && piece.size() < kPiece) break; // the end of the file
            piece = piece.substr(0, std::min(piece.find('\0'), piece.size()));
            if (piece.empty()) continue;
            if (piece[0] == '[') {
                const std::size_t close = piece.find(']');
                inSection = close != std::string_view::npos;
                if (inSection) section.assign(piece.substr(1, close - 1));
                continue;
            }
            const std::size_t close = piece.find('"', 1);
            if (piece[0] != '"' || !inSection || close == std::string_view::npos) continue;
            Record r{i, at == 0, section, piece.substr(1, close - 1), false, std::nullopt};
            const std::size_t eq = piece.find('=');
            r.number =
                eq != std::string_view::npos && eq + 1 < piece.size() && piece[eq + 1] == 'd';
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
                    if (end != std::string_view::npos && end - p - 1 <= kMaxValue)
                        r.data = piece.substr(p + 1, end - p - 1);
                }
            }
            visit(r);
        }
        if (last) break;
    }
}

std::optional<RegistryFile::Held> RegistryFile::last(const std::string& section,
                                                     const std::string& name) const {
    std::optional<Held> found;
    visitRecords([&](const Record& r) {
        if (sameName(r.section, section) && sameName(r.name, name))
            found = Held{r.number, r.data ? std::optional<std::string>(*r.data) : std::nullopt};
    });
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
    return set(section, name, "\"" + name + "\"=\"" + value + "\"", {false, value});
}

bool RegistryFile::setNumber(const std::string& section, const std::string& name,
                             std::uint32_t value) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(value));
    return set(section, name, "\"" + name + "\"=dword:" + hex, {true, std::string(hex)});
}

// Lines after a last line without its line end would make the game read that line.
std::size_t RegistryFile::endOfReadLines() const {
    return lines_.empty() || line(lines_.size() - 1).back() == '\n' ? lines_.size()
                                                                    : lines_.size() - 1;
}

bool RegistryFile::set(const std::string& section, const std::string& name, const std::string& text,
                       const Held& expected) {
    if (text.size() + 1 > kPiece) return false;
    // What this call changes, to take it back when the game would not read the value.
    const std::size_t textBefore = text_.size();
    std::vector<std::pair<std::size_t, Line>> replaced;
    std::vector<std::size_t> inserted;
    auto add = [&](const std::string& bytes) {
        const Line l{text_.size(), bytes.size()};
        text_ += bytes;
        return l;
    };
    const Line ours = add(text + "\r\n");
    auto insert = [&](std::size_t at, Line l) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), l);
        inserted.push_back(at);
    };
    auto readBack = [&] { return last(section, name) == expected; };

    visitRecords([&](const Record& r) {
        if (r.wholeLine && sameName(r.section, section) && sameName(r.name, name))
            replaced.emplace_back(r.line, lines_[r.line]);
    });
    for (const auto& [at, old] : replaced) lines_[at] = ours;
    if (replaced.empty()) {
        // After the last record of the section's first block, or at its head.
        std::optional<std::size_t> at;
        for (std::size_t i = 0; i < endOfReadLines(); ++i) {
            const std::string_view l = line(i);
            if (l[0] == '[') {
                if (at) break;
                const std::size_t close = l.find(']');
                if (close != std::string_view::npos && sameName(l.substr(1, close - 1), section))
                    at = i + 1;
            } else if (at && l[0] == '"') {
                at = i + 1;
            }
        }
        if (at) {
            insert(*at, ours);
        } else {
            const std::size_t end = endOfReadLines();
            insert(end, add("[" + section + "]\r\n"));
            insert(end + 1, ours);
        }
    }
    // A later piece of a long line, or a section the game cannot read: the value goes into a
    // section of its own at the end, where it is the last the game reads.
    if (!readBack()) {
        const std::size_t end = endOfReadLines();
        insert(end, add("[" + section + "]\r\n"));
        insert(end + 1, ours);
    }
    if (readBack()) return true;
    for (auto i = inserted.rbegin(); i != inserted.rend(); ++i)
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*i));
    for (const auto& [at, old] : replaced) lines_[at] = old;
    text_.resize(textBefore);
    return false;
}

std::string RegistryFile::bytes() const {
    std::size_t size = 0;
    for (std::size_t i = 0; i < lines_.size(); ++i) size += lines_[i].size;
    std::string out;
    out.reserve(size);
    for (std::size_t i = 0; i < lines_.size(); ++i) out += line(i);
    return out;
}

} // namespace gameregistry
