#pragma once
// The open-source game's settings file, ".Descent3Registry": sections and values as lines.
//
// Rules, as the game reads the file: a line that starts with '[' opens the section named up to
// ']'; a line that starts with '"' is a value, "Name"="text" or "Name"=dword:1A2B (hex, upper
// case when written); every other line is passed over. Names compare without case. A line longer
// than kMaxLine characters or a value longer than kMaxValue counts as nothing, and so does a last
// line without a line end. The file is single-byte text; the values here are as stored.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace gameregistry {

class RegistryFile {
  public:
    static constexpr std::size_t kMaxLine = 500;
    static constexpr std::size_t kMaxValue = 300;

    // A new file: an empty "[Version]" section first.
    RegistryFile();
    // The file from its bytes as stored.
    explicit RegistryFile(const std::string& bytes);

    // The text (number) of a value as the game reads it; none when missing or of the other kind.
    std::optional<std::string> text(const std::string& section, const std::string& name) const;
    std::optional<std::uint32_t> number(const std::string& section, const std::string& name) const;

    // Sets a value in place of the lines of that name in the section, or after the section's
    // last value, opening the section at the end when it is missing. Every other line stays as
    // it was. False, with nothing changed, when the text cannot be stored: a double quote or a
    // line break in it, or too long.
    bool setText(const std::string& section, const std::string& name, const std::string& value);
    void setNumber(const std::string& section, const std::string& name, std::uint32_t value);

    // The file as stored, every line ended.
    std::string bytes() const;

  private:
    struct Value {
        std::string name, data;
        bool number = false;
    };
    static std::optional<Value> parse(const std::string& line);
    std::optional<Value> find(const std::string& section, const std::string& name) const;
    void set(const std::string& section, const std::string& name, const std::string& line);

    std::vector<std::string> lines_;
    std::string lineEnd_ = "\r\n";
    bool lastUnended_ = false; // the last line had no line end: the game does not read it
};

} // namespace gameregistry
