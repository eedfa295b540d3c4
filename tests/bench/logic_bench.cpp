#include <benchmark/benchmark.h>

#include <cstdio>

#include "launcher/anzeiger.h"
#include "tests/support/game_folder.h"

// The whole launcher run on the in-memory file system: listing, keep-list lookups, counters.
static void LauncherDeletesForeignFiles(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        GameFolder g;
        g.ini.logoNoAction = "0", g.ini.logoDeleteOthers = "1";
        g.ini.tauntNoAction = "0", g.ini.tauntDeleteOthers = "1";
        std::vector<std::string> keep;
        char name[32];
        for (int i = 0; i < n; ++i) {
            std::snprintf(name, sizeof name, "pilot_%08x.osf", i);
            g.fake.files.addFile(g.sounds(name), "x");
            if (i % 20 == 0) keep.push_back(name);
            std::snprintf(name, sizeof name, "pilot_%08x.ogf", i);
            g.fake.files.addFile(g.graphics(name), "x");
        }
        g.writeSettings(keep, keep);
        launcher::Anzeiger w(g.fake.platform);
        state.ResumeTiming();
        w.load();
        w.putzstart.tick();
    }
    state.SetItemsProcessed(state.iterations() * n * 2);
}
BENCHMARK(LauncherDeletesForeignFiles)->Arg(1000)->Arg(20000)->Arg(100000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
