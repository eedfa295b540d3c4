#pragma once
#include <string>
#include <vector>

namespace scourix {

// The frame-rate log the time test writes holds at most this many lines for an append.
inline constexpr int kMaxLogLines = 501;

// The log with `block` appended: its own lines as they are, each ended with CR LF, then the
// block's lines. False when the log cannot take them: it holds zero bytes (saved as UTF-16),
// which single-byte lines would spoil, or more than kMaxLogLines lines.
bool appendToLog(const std::string& log, const std::vector<std::string>& block, std::string& out);

} // namespace scourix
