// taunts.exe: the taunts of the playing scenario and what they must sound as.
//   taunts write FOLDER        writes raw16.osf (16-bit stereo, 44100 Hz, half a second),
//                              raw8.osf (8-bit mono, 11025 Hz), acm.osf (the test ACM taunt,
//                              mono, 22050 Hz) and long.osf (16-bit stereo, 22050 Hz, a minute)
//   taunts decode TAUNT OUT    decodes the taunt as Scourix does (its trailer, then
//                              platform::decode) and writes its samples to OUT as signed 16-bit
//                              little-endian; prints "RATE CHANNELS"
//   taunts start-time          plays a 30-second ACM taunt twice through Scourix's sound output
//                              and prints how long the decoding of its first piece and each
//                              play took to start (a measurement, no test)
#include "standin.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>

#include "config/tools/taunt_preview.h"
#include "platform/win32/sound.h"
#include "tests/support/taunt_file.h"

namespace {

std::string slurp(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

bool spill(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary);
    return bool(f << bytes);
}

// Raw samples that run through the whole range of their width, half a second unless told.
std::string raw(int width, int channels, int rate, int halfSeconds = 1) {
    std::string s;
    const int count = rate / 2 * channels * halfSeconds;
    for (int i = 0; i < count; ++i) {
        const unsigned v = unsigned(i) * 7919u + unsigned(i / channels) * 13u;
        if (width == 1)
            s.push_back(char(v & 0xff));
        else
            tauntfile::put(s, v & 0xffff, 2);
    }
    return s;
}

using Clock = std::chrono::steady_clock;
double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

} // namespace

int wmain(int argc, wchar_t** wargv) {
    std::vector<std::string> argv;
    for (int i = 0; i < argc; ++i) argv.push_back(standin::utf8(wargv[i]));
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "write" && argc == 3) {
        const std::string folder = argv[2] + "\\";
        const bool ok =
            spill(folder + "raw16.osf", raw(2, 2, 44100) + tauntfile::trailer(0, 0x11, 44)) &&
            spill(folder + "raw8.osf", raw(1, 1, 11025) + tauntfile::trailer(0, 0x00, 11)) &&
            spill(folder + "acm.osf", tauntfile::acmTaunt(nullptr)) &&
            spill(folder + "long.osf", raw(2, 2, 22050, 120) + tauntfile::trailer(0, 0x11, 22));
        return ok ? 0 : 1;
    }
    if (mode == "decode" && argc == 4) {
        const auto clip = scourix::tauntClip(slurp(argv[2]));
        platform::Pcm pcm;
        if (!clip || !platform::decode(*clip, pcm)) return 1;
        std::string bytes;
        for (std::int16_t v : pcm.samples) tauntfile::put(bytes, std::uint16_t(v), 2);
        if (!spill(argv[3], bytes)) return 1;
        std::printf("%d %d\n", pcm.rate, pcm.channels);
        return 0;
    }
    if (mode == "start-time" && argc == 2) {
        platform::Clip clip;
        clip.coding = platform::Coding::InterplayAcm;
        clip.data = tauntfile::acm(tauntfile::ramp(30 * 22050), 1, 22050, 64, 500);
        Clock::time_point start = Clock::now();
        platform::Decoder decoder(clip);
        std::vector<std::int16_t> piece;
        decoder.next(piece, 22050 / 4 + 1);
        std::printf("first quarter second decoded in %.2f ms\n", ms(Clock::now() - start));
        // As in Scourix: the output made when the program starts, the first click a while later;
        // the second play stops the first.
        win32::Sound sound;
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        for (const char* which : {"first", "second"}) {
            start = Clock::now();
            const platform::Played played = sound.play(clip);
            if (played != platform::Played::Started) return 1;
            std::printf("%s play started after %.2f ms\n", which, ms(Clock::now() - start));
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        start = Clock::now();
        while (sound.busy()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::printf("played on for %.0f ms\n", ms(Clock::now() - start));
        return 0;
    }
    std::fprintf(stderr, "usage: taunts write FOLDER | decode TAUNT OUT | start-time\n");
    return 2;
}
