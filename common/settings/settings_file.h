#pragma once
#include <cstdint>
#include <string>

namespace platform {
class Files;
class Codepage;
} // namespace platform

namespace settings {

// One settings file, read or written whole: one value per line, CR LF line ends.
// Text in memory is UTF-8; on disk it is the single-byte code page.
//
// Reading rule: blanks at the start of a value are skipped; a value that starts with a
// double quote runs to the next double quote, and the rest up to a comma or the line end
// is passed over; any other value runs to the first comma or the line end.
class SettingsFile {
  public:
    // An empty file for writing.
    explicit SettingsFile(platform::Codepage& codepage);
    // A file for reading, from its bytes as stored.
    SettingsFile(platform::Codepage& codepage, std::string bytes);

    // The settings files hold a few kilobytes; a bigger one is no file of ours, and reading it
    // whole could exhaust the memory.
    static constexpr std::uint64_t kMaxBytes = 1 << 20;
    // Whether `bytes` stay within kMaxBytes, so that the programs read them back once written.
    static bool fits(const std::string& bytes) { return bytes.size() <= kMaxBytes; }
    bool fits() const { return fits(data_); }

    // Opens `path` for reading; false when it cannot be read or is bigger than kMaxBytes. A
    // UTF-8 byte-order mark at the start is passed over.
    bool open(platform::Files& files, const std::string& path);
    // False when the bytes hold a zero byte, as UTF-16 and binary files do: such a file is
    // not one of ours and reads as nothing trustworthy.
    bool isText() const;

    bool atEnd() const { return pos_ >= data_.size(); }
    // The next value; false (input past the end of the file) when nothing is left.
    bool readValue(std::string& value);

    // The bytes not read yet, as stored: the lines a later version wrote after the last line
    // this one knows.
    std::string rest() const { return pos_ < data_.size() ? data_.substr(pos_) : std::string(); }

    // Quoted style: text between double quotes, numbers bare.
    void writeText(const std::string& text);
    void writeNumber(long n);
    // Raw style: the text unchanged.
    void writeRaw(const std::string& text);
    // Bytes as they are, in the code page of the file (what rest() gave).
    void writeBytes(const std::string& bytes) { data_ += bytes; }

    const std::string& bytes() const { return data_; }

  private:
    void skipByteOrderMark();

    platform::Codepage& codepage_;
    std::string data_;
    std::size_t pos_ = 0;
};

// The numeric value of a text: the number at its start, 0 when there is none.
long numericValue(const std::string& text);
// Whether the numeric value of a text, fraction included, is exactly 1 ("1", " 01", "1.0";
// not "1.5" nor "12").
bool isNumericOne(const std::string& text);

} // namespace settings
