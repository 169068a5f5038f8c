// The list step's comparison of an update list with the local list: N entries against N local
// records in the opposite order, half of them with another checksum. The installed files do
// not exist, so every entry is added and each costs one failed stat besides the look-up.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "upvarro/core/list_step.h"

namespace {

void compare(benchmark::State& state) {
    const int n = static_cast<int>(state.range(0));
    upvarro::UpdateSession s(upvarro::Folders::fromExecutable("/nonexistent/update/upvarro"),
                             "/nonexistent/update/upvarro");
    for (int i = 0; i < n; ++i) {
        auto e = std::make_unique<upvarro::UpdateEntry>();
        e->name = "dir/file" + std::to_string(i);
        e->checksum = "c" + std::to_string(i);
        e->localPath = "/nonexistent/" + e->name;
        e->tempPath = "/nonexistent/temp/" + e->name;
        e->actionFlags = upvarro::kActionDownload | upvarro::kActionCopy;
        e->allowed = 1;
        s.updateList.push_back(std::move(e));
    }
    for (int i = n - 1; i >= 0; --i)
        s.localList.push_back({"dir/file" + std::to_string(i),
                               i % 2 ? std::string("other") : "c" + std::to_string(i), "", 0});
    for (auto _ : state) {
        upvarro::compareLists(s);
        benchmark::DoNotOptimize(s.actionList.data());
    }
    state.SetComplexityN(n);
}

}  // namespace

BENCHMARK(compare)
    ->RangeMultiplier(10)
    ->Range(1000, 100000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();
BENCHMARK_MAIN();
