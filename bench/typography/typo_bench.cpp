// Runs `tarnik typo` with its default settings (every rule on, quotation marks
// included) on 1 MiB and 2 MiB of Polish prose that nobody on the project
// wrote: polish_prose.sh makes it from the message catalogues and manual pages
// installed on this machine. The run goes on past the quotation marks it cannot
// place, so each run corrects the whole text.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "prose_corpus.h"

namespace {

void BM_TarnikTypo(benchmark::State& state) {
    const ProseCorpus& corpus = TheCorpus();
    int mebibytes = static_cast<int>(state.range(0));
    std::string command = std::string(TARNIK_BIN_DIR) + "/tarnik typo " + corpus.Input(mebibytes) +
                          " > /dev/null 2>&1";
    for (auto _ : state) {
        // 1: quotation marks were left for the user, which is no failure.
        int status = std::system(command.c_str());
        if (!WIFEXITED(status) || WEXITSTATUS(status) > 1) {
            state.SkipWithError("tarnik typo failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * (int64_t(mebibytes) << 20));
}
BENCHMARK(BM_TarnikTypo)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
