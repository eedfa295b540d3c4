// Our ACM decoder against libavcodec's on the same streams; prints each stream's time ratio
// (ours / libavcodec's).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>

#include "platform/sound.h"
#include "tests/support/avcodec_acm.h"
#include "tests/support/taunt_file.h"

namespace {

struct Stream {
    const char* name;
    std::string data;
};

// 30 seconds at 22050 Hz in the shapes of the game's taunts and of the tests: small fillers and
// narrow linear ones, mono and stereo, few and many levels.
const std::vector<Stream>& streams() {
    static const std::vector<Stream> all = [] {
        const std::uint32_t n = 30 * 22050;
        const std::vector<int> small{0, 3, 4, 5, 17, 18, 19, 20, 21, 22, 23, 24, 26, 27, 29};
        const std::vector<int> wide{0, 5, 6, 7, 8, 10, 12, 16, 22, 29};
        return std::vector<Stream>{
            {"mono_levels7_rows32", tauntfile::acmRandom({1, 22050, 7, 32, n, small}, 1)},
            {"stereo_levels4_rows256", tauntfile::acmRandom({2, 22050, 4, 256, 2 * n, small}, 2)},
            {"mono_levels10_rows4", tauntfile::acmRandom({1, 22050, 10, 4, n, wide}, 3)},
            {"mono_levels0_rows512", tauntfile::acmRandom({1, 22050, 0, 512, n, small}, 4)},
        };
    }();
    return all;
}

void Ours(benchmark::State& state) {
    const Stream& s = streams()[std::size_t(state.range(0))];
    platform::Clip clip;
    clip.coding = platform::Coding::InterplayAcm;
    clip.data = s.data;
    for (auto _ : state) {
        platform::Pcm pcm;
        if (!platform::decode(clip, pcm)) state.SkipWithError("not decoded");
        benchmark::DoNotOptimize(pcm.samples.data());
    }
    state.SetLabel(s.name);
}

void Libavcodec(benchmark::State& state) {
    const Stream& s = streams()[std::size_t(state.range(0))];
    for (auto _ : state) {
        std::vector<std::int16_t> samples;
        if (!avcodec::decodeAcm(s.data, samples)) state.SkipWithError("not decoded");
        benchmark::DoNotOptimize(samples.data());
    }
    state.SetLabel(s.name);
}

BENCHMARK(Ours)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(Libavcodec)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The console's report, then the ratio for every stream.
class Ratios : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs) {
            const std::string name = r.benchmark_name();
            const bool ours = name.rfind("Ours", 0) == 0;
            (ours ? ours_ : theirs_)[r.report_label] = r.GetAdjustedCPUTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const auto& [label, ours] : ours_)
            if (theirs_.count(label))
                std::printf("ratio %-24s ours/libavcodec = %.2f\n", label.c_str(),
                            ours / theirs_[label]);
    }

  private:
    std::map<std::string, double> ours_, theirs_;
};

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Ratios ratios;
    benchmark::RunSpecifiedBenchmarks(&ratios);
    benchmark::Shutdown();
}
