#pragma once
// The open-source game's settings file, ".Descent3Registry": sections and values as lines.
//
// How the game reads it (and so how this class reads it): in text mode, where CR LF is one line
// end and a Ctrl-Z ends the file; a line in pieces of at most kPiece bytes, the rest of a longer
// line read as the next line; a last piece without its line end is not read. A piece that starts
// with '[' opens the section named up to ']'; one that starts with '"' is a record,
// "Name"="text" or "Name"=dword:1A2B (hex); every other piece is passed over. Names compare
// without case; every section of one name is the same section, and a later record of a name
// replaces an earlier one. A text of more than kMaxValue bytes, or a record the game cannot
// parse, leaves the game holding no usable value.
//
// Values are as stored: the game takes them as UTF-8, and the caller converts. The file's bytes
// are held once; its lines are places in them, and a line written here is added to them once.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace gameregistry {

class RegistryFile {
  public:
    static constexpr std::size_t kPiece = 499;
    static constexpr std::size_t kMaxValue = 299;

    // A new file: an empty "[Version]" section first.
    RegistryFile();
    // The file from its bytes as stored.
    explicit RegistryFile(std::string bytes);

    // The text (number) of a value as the game reads it; none when missing, of the other kind or
    // unusable.
    std::optional<std::string> text(const std::string& section, const std::string& name) const;
    std::optional<std::uint32_t> number(const std::string& section, const std::string& name) const;

    // Sets a value so that the game reads it: every line that holds a record of that name in
    // the section is replaced; without one the line goes after the section's last record, and
    // the section is opened at the end when it is missing. Every other line stays byte for
    // byte, its line end included; the lines written here end with CR LF. False, with nothing
    // changed, when the game could not read the text back: a double quote, a line break, a NUL
    // or a Ctrl-Z in it, more than kMaxValue bytes, or a file whose end the game never reaches.
    bool setText(const std::string& section, const std::string& name, const std::string& value);
    bool setNumber(const std::string& section, const std::string& name, std::uint32_t value);

    // The file as stored.
    std::string bytes() const;

  private:
    // One record as the game reads it; its texts last only while it is visited.
    struct Record {
        std::size_t line; // the line it is read from
        bool wholeLine;   // it starts the line (not a later piece of a long line)
        std::string_view section, name;
        bool number = false;
        std::optional<std::string_view> data; // none: the game holds no usable value
    };
    // What the game holds of one name.
    struct Held {
        bool number = false;
        std::optional<std::string> data;
        bool operator==(const Held&) const = default;
    };
    // A line: where it lies in text_, with its line end as stored (the last may have none).
    struct Line {
        std::size_t at, size;
    };

    template <class Visit> void visitRecords(Visit&& visit) const;
    std::optional<Held> last(const std::string& section, const std::string& name) const;
    bool set(const std::string& section, const std::string& name, const std::string& line,
             const Held& expected);
    std::size_t endOfReadLines() const;
    std::string_view line(std::size_t i) const {
        return {text_.data() + lines_[i].at, lines_[i].size};
    }

    std::string text_;        // the bytes read, then each line written here
    std::vector<Line> lines_; // the file's lines in order
};

} // namespace gameregistry
