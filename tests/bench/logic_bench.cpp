#include <benchmark/benchmark.h>

#include <cstdio>

#include "common/cleaning/cleaning.h"
#include "launcher/anzeiger.h"
#include "tests/support/game_folder.h"

// A game folder with n foreign taunts and n ship logos, every twentieth of each kind kept.
static void fill(GameFolder& g, int n, std::vector<std::string>& keep) {
    char name[32];
    for (int i = 0; i < n; ++i) {
        std::snprintf(name, sizeof name, "pilot_%08x.osf", i);
        g.fake.files.addFile(g.sounds(name), "x");
        if (i % 20 == 0) keep.push_back(name);
        std::snprintf(name, sizeof name, "pilot_%08x.ogf", i);
        g.fake.files.addFile(g.graphics(name), "x");
    }
}

// The cleaner alone, without a window: both kinds deleted (range 1 = 0) or backed up and
// deleted (range 1 = 1), with a counter following every file.
static void CleanerCleansBothKinds(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    const bool backup = state.range(1) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        GameFolder g;
        std::vector<std::string> keep;
        fill(g, n, keep);
        g.fake.files.addFolder("D:\\Backup\\logos");
        g.fake.files.addFolder("D:\\Backup\\taunts");
        long events = 0;
        cleaning::Cleaner c(g.fake.files, [&](cleaning::Counter, cleaning::Event) { ++events; });
        state.ResumeTiming();
        c.findFolders({g.game}, false);
        c.clean(cleaning::Kind::Logos, {backup, !backup, "D:\\Backup\\logos"}, keep);
        c.clean(cleaning::Kind::Taunts, {backup, !backup, "D:\\Backup\\taunts"}, keep);
        benchmark::DoNotOptimize(events);
    }
    state.SetItemsProcessed(state.iterations() * n * 2);
}
BENCHMARK(CleanerCleansBothKinds)
    ->Args({1000, 0})
    ->Args({20000, 0})
    ->Args({100000, 0})
    ->Args({20000, 1})
    ->Unit(benchmark::kMillisecond);

// The whole launcher run on the in-memory file system: listing, keep-list lookups, counters.
static void LauncherDeletesForeignFiles(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        GameFolder g;
        g.ini["LogoNoAction"] = "0", g.ini["LogoDeleteOthers"] = "1";
        g.ini["TauntNoAction"] = "0", g.ini["TauntDeleteOthers"] = "1";
        std::vector<std::string> keep;
        fill(g, n, keep);
        g.writeSettings(keep, keep);
        launcher::Anzeiger w(g.fake.platform);
        state.ResumeTiming();
        w.load();
        w.putzstart.tick();
    }
    state.SetItemsProcessed(state.iterations() * n * 2);
}
BENCHMARK(LauncherDeletesForeignFiles)
    ->Arg(1000)
    ->Arg(20000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
