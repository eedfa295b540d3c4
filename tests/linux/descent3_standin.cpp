// Descent3 stand-in for Linux, the open-source game: reads .Descent3Registry in
// $XDG_DATA_HOME/Outrage Entertainment/Descent 3 by the game's rules
// (tests/support/game_reading.h) and records in launched.txt beside itself its arguments, its
// working folder and what it read. While a file "hold" lies beside it, it keeps running. As the
// main line of the game does at every start, it makes custom/sounds and custom/graphics in the
// player's folder (never netgames).
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "tests/support/game_reading.h"

namespace fs = std::filesystem;

namespace {

std::string dataHome() {
    const char* x = std::getenv("XDG_DATA_HOME");
    if (x && x[0] == '/') return x;
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.local/share";
}

} // namespace

int main(int argc, char** argv) {
    const auto started = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now().time_since_epoch());
    const fs::path self = fs::read_symlink("/proc/self/exe");
    std::ifstream in(dataHome() + "/Outrage Entertainment/Descent 3/.Descent3Registry",
                     std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();

    std::string out = "program=" + self.filename().string() + "\n";
    std::string line;
    for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
    out += "cmdline=" + line + "\n";
    out += "argc=" + std::to_string(argc - 1) + "\n";
    for (int i = 1; i < argc; ++i) out += "arg" + std::to_string(i) + "=" + argv[i] + "\n";
    out += "cwd=" + fs::current_path().string() + "\n";
    out += "time_ms=" + std::to_string(started.count()) + "\n";
    out += std::string("settings=") + (in ? "read" : "missing") + "\n";
    const gamereading::Settings read = gamereading::readSettings(bytes.str());
    out += gamereading::recordOf(read);

    const fs::path own = dataHome() + "/Outrage Entertainment/Descent 3";
    std::error_code failed;
    for (const char* part : {"custom/sounds", "custom/graphics"})
        fs::create_directories(own / part, failed);

    const fs::path hold = self.parent_path() / "hold";
    const fs::path record =
        self.parent_path() / (fs::exists(hold) ? "running.txt" : "launched.txt");
    // Written beside and renamed, so that a reader never sees half of it.
    std::ofstream(record.string() + ".part", std::ios::binary) << out;
    fs::rename(record.string() + ".part", record);
    for (int i = 0; i < 1200 && fs::exists(hold); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    return 0;
}
