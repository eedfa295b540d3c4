#include "common/registry/registry_file.h"

#include <algorithm>
#include <cstdio>

namespace gameregistry {
namespace {

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto low = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return low(x) == low(y);
           });
}

// The section a line opens, none when it opens none.
std::optional<std::string> sectionOf(const std::string& line) {
    if (line.empty() || line[0] != '[' || line.size() > RegistryFile::kMaxLine) return {};
    return line.substr(1, line.find(']') == std::string::npos ? std::string::npos
                                                              : line.find(']') - 1);
}

std::string quoted(const std::string& s) {
    std::string q(1, '"');
    return q.append(s).append(1, '"');
}

} // namespace

RegistryFile::RegistryFile() : lines_{"[Version]"} {}

RegistryFile::RegistryFile(const std::string& bytes) {
    std::size_t pos = 0;
    bool endSeen = false, bare = false; // the first line end is a bare LF
    while (pos < bytes.size()) {
        std::size_t end = bytes.find('\n', pos);
        std::string line = bytes.substr(pos, end == std::string::npos ? end : end - pos);
        if (end == std::string::npos) {
            lastUnended_ = true;
            pos = bytes.size();
        } else {
            pos = end + 1;
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            else if (!endSeen)
                bare = true;
            endSeen = true;
        }
        lines_.push_back(std::move(line));
    }
    if (bare) lineEnd_.erase(0, 1);
}

std::optional<RegistryFile::Value> RegistryFile::parse(const std::string& line) {
    if (line.size() > kMaxLine || line.empty() || line[0] != '"') return {};
    std::size_t close = line.find('"', 1);
    if (close == std::string::npos || close + 1 >= line.size() || line[close + 1] != '=') return {};
    Value v{line.substr(1, close - 1), {}, false};
    std::string rest = line.substr(close + 2);
    if (!rest.empty() && rest[0] == '"') {
        std::size_t end = rest.find('"', 1);
        if (end == std::string::npos) return {};
        v.data = rest.substr(1, end - 1);
    } else if (rest.rfind("dword:", 0) == 0) {
        v.data = rest.substr(6);
        v.number = true;
        if (v.data.empty() || v.data.size() > 8 ||
            v.data.find_first_not_of("0123456789ABCDEFabcdef") != std::string::npos)
            return {};
    } else {
        return {};
    }
    if (v.data.size() > kMaxValue) return {};
    return v;
}

std::optional<RegistryFile::Value> RegistryFile::find(const std::string& section,
                                                      const std::string& name) const {
    bool inside = false;
    std::size_t count = lines_.size() - (lastUnended_ ? 1 : 0);
    for (std::size_t i = 0; i < count; ++i) {
        if (auto s = sectionOf(lines_[i]))
            inside = sameName(*s, section);
        else if (inside)
            if (auto v = parse(lines_[i]); v && sameName(v->name, name)) return v;
    }
    return {};
}

std::optional<std::string> RegistryFile::text(const std::string& section,
                                              const std::string& name) const {
    auto v = find(section, name);
    if (!v || v->number) return {};
    return v->data;
}

std::optional<std::uint32_t> RegistryFile::number(const std::string& section,
                                                  const std::string& name) const {
    auto v = find(section, name);
    if (!v || !v->number) return {};
    return static_cast<std::uint32_t>(std::stoul(v->data, nullptr, 16));
}

bool RegistryFile::setText(const std::string& section, const std::string& name,
                           const std::string& value) {
    if (value.size() > kMaxValue || value.find_first_of("\"\r\n") != std::string::npos)
        return false;
    std::string line = quoted(name);
    line.append("=").append(quoted(value));
    if (line.size() > kMaxLine) return false;
    set(section, name, line);
    return true;
}

void RegistryFile::setNumber(const std::string& section, const std::string& name,
                             std::uint32_t value) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%X", static_cast<unsigned>(value));
    std::string line = quoted(name);
    set(section, name, line.append("=dword:").append(hex));
}

void RegistryFile::set(const std::string& section, const std::string& name,
                       const std::string& line) {
    // From here on every line is written with its end, the last one too.
    lastUnended_ = false;
    bool inside = false, found = false, seen = false;
    std::size_t insertAt = lines_.size();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (auto s = sectionOf(lines_[i])) {
            if (inside && !found) break;
            inside = sameName(*s, section);
            if (inside && !seen) insertAt = i + 1, seen = true;
        } else if (inside) {
            auto v = parse(lines_[i]);
            if (v && sameName(v->name, name))
                lines_[i] = line, found = true;
            else if (v && !found)
                insertAt = i + 1;
        }
    }
    if (found) return;
    if (!seen) {
        lines_.push_back(std::string("[").append(section).append("]"));
        insertAt = lines_.size();
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
}

std::string RegistryFile::bytes() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i];
        if (i + 1 < lines_.size() || !lastUnended_) out += lineEnd_;
    }
    return out;
}

} // namespace gameregistry
