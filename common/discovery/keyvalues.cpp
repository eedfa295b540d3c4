#include "common/discovery/keyvalues.h"

#include <cctype>

namespace keyvalues {
namespace {

bool sameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

class Reader {
  public:
    explicit Reader(const std::string& s) : s_(s) {
        if (s_.compare(0, 3, "\xEF\xBB\xBF") == 0) i_ = 3;
    }

    enum class Token { End, Open, Close, Text, Condition };

    Token next(std::string& text) {
        skipBlanks();
        if (i_ >= s_.size()) return Token::End;
        const char c = s_[i_];
        if (c == '{' || c == '}') {
            ++i_;
            return c == '{' ? Token::Open : Token::Close;
        }
        text.clear();
        if (c == '"') {
            for (++i_; i_ < s_.size() && s_[i_] != '"'; ++i_) {
                // Steam writes only \\ and \"; any other backslash is the player's own, as in
                // a hand-edited "D:\SteamLibrary", and stays.
                if (s_[i_] == '\\' && i_ + 1 < s_.size() &&
                    (s_[i_ + 1] == '\\' || s_[i_ + 1] == '"')) {
                    text += s_[++i_];
                } else {
                    text += s_[i_];
                }
            }
            ++i_; // the closing quote
            return Token::Text;
        }
        while (i_ < s_.size() && !blank(s_[i_]) && s_[i_] != '{' && s_[i_] != '}' && s_[i_] != '"')
            text += s_[i_++];
        return text.size() > 1 && text.front() == '[' && text.back() == ']' ? Token::Condition
                                                                            : Token::Text;
    }

    // Reads keys into `out` up to the brace that closes the block; false when reading ends.
    bool block(std::vector<Node>& out, int depth) {
        std::string key, value;
        for (;;) {
            Token t = next(key);
            if (t == Token::Condition) continue;
            if (t == Token::Close) return depth > 0;
            if (t != Token::Text) return false;
            t = next(value);
            while (t == Token::Condition) t = next(value);
            if (t == Token::Text) {
                out.push_back({key, value, false, {}});
                continue;
            }
            if (t != Token::Open || depth >= kMaxDepth) return false;
            Node n{key, "", true, {}};
            const bool more = block(n.children, depth + 1);
            out.push_back(std::move(n));
            if (!more) return false;
        }
    }

  private:
    static bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
    void skipBlanks() {
        while (i_ < s_.size()) {
            if (blank(s_[i_])) {
                ++i_;
            } else if (s_.compare(i_, 2, "//") == 0) {
                while (i_ < s_.size() && s_[i_] != '\n') ++i_;
            } else {
                break;
            }
        }
    }

    const std::string& s_;
    std::size_t i_ = 0;
};

} // namespace

const Node* Node::find(const std::string& name) const {
    for (const Node& c : children)
        if (sameNoCase(c.key, name)) return &c;
    return nullptr;
}

std::vector<Node> parse(const std::string& text) {
    std::vector<Node> top;
    Reader(text).block(top, 0);
    return top;
}

} // namespace keyvalues
