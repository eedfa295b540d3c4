// The scenarios' taunts. "taunt-tool write FILE.osf SAMPLES.raw" writes the test ACM taunt and
// the 16-bit samples it plays as; "taunt-tool holds HEARD SAMPLES" succeeds when the samples
// occur whole in what an audio driver wrote.
#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/taunt_file.h"

namespace {
std::string slurp(const char* path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}
} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 4 ? argv[1] : "";
    if (mode == "write") {
        std::vector<std::int16_t> samples;
        const std::string taunt = tauntfile::acmTaunt(&samples);
        std::ofstream(argv[2], std::ios::binary) << taunt;
        std::ofstream(argv[3], std::ios::binary)
            << std::string(reinterpret_cast<const char*>(samples.data()), samples.size() * 2);
        return 0;
    }
    if (mode == "holds") {
        const std::string heard = slurp(argv[2]), want = slurp(argv[3]);
        return !want.empty() && std::search(heard.begin(), heard.end(), want.begin(), want.end()) !=
                                    heard.end()
                   ? 0
                   : 1;
    }
    return 2;
}
