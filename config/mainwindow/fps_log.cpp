#include "config/mainwindow/fps_log.h"

namespace scourix {

bool appendToLog(const std::string& log, const std::vector<std::string>& block, std::string& out) {
    out.clear();
    if (log.find('\0') != std::string::npos) return false;
    int lines = 0;
    for (std::size_t start = 0; start < log.size();) {
        std::size_t end = log.find('\n', start);
        std::string line = log.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        out += line + "\r\n";
        if (++lines > kMaxLogLines) return false;
        start = end == std::string::npos ? log.size() : end + 1;
    }
    for (const std::string& line : block) out += line + "\r\n";
    return true;
}

} // namespace scourix
