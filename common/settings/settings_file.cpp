#include "common/settings/settings_file.h"

#include <climits>
#include <cstdlib>
#include <utility>

#include "platform/files.h"
#include "platform/system.h"

namespace settings {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isLineEnd(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

SettingsFile::SettingsFile(platform::Codepage& codepage) : codepage_(codepage) {}

SettingsFile::SettingsFile(platform::Codepage& codepage, std::string bytes)
    : codepage_(codepage), data_(std::move(bytes)) {
    skipByteOrderMark();
}

bool SettingsFile::open(platform::Files& files, const std::string& path) {
    data_.clear();
    pos_ = 0;
    if (!files.read(path, data_, kMaxBytes)) return false;
    skipByteOrderMark();
    return true;
}

// Text editors put a UTF-8 byte-order mark before the first line; it is no part of the value.
void SettingsFile::skipByteOrderMark() {
    if (data_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;
}

// UTF-16 text and binary files hold zero bytes; single-byte text never does.
bool SettingsFile::isText() const {
    return data_.find('\0') == std::string::npos;
}

// A value ends at a comma or a line end (CR LF, LF, or a lone CR); the ending comma or
// line end is consumed, so that after the last line atEnd() is true.
bool SettingsFile::readValue(std::string& value) {
    if (atEnd()) return false;
    const std::size_t n = data_.size();
    while (pos_ < n && isBlank(data_[pos_])) ++pos_;

    std::size_t start = pos_;
    std::size_t stop;
    if (pos_ < n && data_[pos_] == '"') {
        start = ++pos_;
        while (pos_ < n && data_[pos_] != '"') ++pos_;
        stop = pos_;
        if (pos_ < n) ++pos_;
        while (pos_ < n && data_[pos_] != ',' && !isLineEnd(data_[pos_])) ++pos_;
    } else {
        while (pos_ < n && data_[pos_] != ',' && !isLineEnd(data_[pos_])) ++pos_;
        stop = pos_;
    }
    if (pos_ < n) {
        if (data_[pos_] == '\r' && pos_ + 1 < n && data_[pos_ + 1] == '\n') ++pos_;
        ++pos_;
    }
    value = codepage_.toUtf8(data_.substr(start, stop - start));
    return true;
}

void SettingsFile::writeText(const std::string& text) {
    data_ += '"';
    data_ += codepage_.fromUtf8(text);
    data_ += "\"\r\n";
}

void SettingsFile::writeNumber(long n) {
    data_ += std::to_string(n);
    data_ += "\r\n";
}

void SettingsFile::writeRaw(const std::string& text) {
    data_ += codepage_.fromUtf8(text);
    data_ += "\r\n";
}

// The number at the start of the text, as far as it reads as one: blanks, a sign, digits, a
// point with digits, an exponent.
bool isNumericOne(const std::string& text) {
    std::size_t i = 0;
    auto digits = [&] {
        std::size_t from = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
        return i > from;
    };
    while (i < text.size() && isBlank(text[i])) ++i;
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    bool any = digits();
    if (i < text.size() && text[i] == '.') {
        ++i;
        any = digits() || any;
    }
    if (!any) return false;
    std::size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digits()) end = i;
    }
    return std::strtod(text.substr(start, end - start).c_str(), nullptr) == 1.0;
}

long numericValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        int digit = text[i] - '0';
        if (value > (LONG_MAX - digit) / 10) return negative ? LONG_MIN : LONG_MAX;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

} // namespace settings
