#pragma once
// A reader of the KeyValues text that Steam keeps its library list (libraryfolders.vdf) and its
// app manifests (appmanifest_<id>.acf) in:
//
//     "libraryfolders" { "0" { "path" "D:\\SteamLibrary" "apps" { "273590" "123" } } }
//
// A key is followed by a value or by a block of keys in braces. Keys and values are quoted, with
// the escapes \\ and \" (a backslash before anything else stands for itself), or bare (ending
// at white space, a brace or a quote). "//" starts a comment to the line's end; a bare
// "[$WIN32]"-style condition after a value is skipped.
#include <string>
#include <vector>

namespace keyvalues {

struct Node {
    std::string key;
    std::string value; // empty for a block
    bool block = false;
    std::vector<Node> children;
    // The first child with this key, compared without case as Steam does; null when none.
    const Node* find(const std::string& name) const;
};

// Blocks nested deeper than this end the reading.
inline constexpr int kMaxDepth = 32;

// The top-level keys of `text` (UTF-8, with or without a byte-order mark). Reading stops at the
// first thing that is no key, value or brace where one belongs, and keeps what it has read.
std::vector<Node> parse(const std::string& text);

} // namespace keyvalues
