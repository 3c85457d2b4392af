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

namespace {

// The corpus files, made once in a temporary folder.
class Corpus {
  public:
    Corpus() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnik-typo-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        for (int mebibytes : {1, 2}) {
            std::string command = std::string(TARNIK_PROSE_SCRIPT) + " " +
                                  std::to_string(mebibytes << 20) + " > " + Input(mebibytes);
            if (std::system(command.c_str()) != 0 ||
                std::filesystem::file_size(Input(mebibytes)) + 4 < (size_t(mebibytes) << 20))
                throw std::runtime_error("too little Polish prose on this machine");
        }
    }
    ~Corpus() { std::filesystem::remove_all(folder_); }

    std::string Input(int mebibytes) const {
        return (folder_ / ("polish-" + std::to_string(mebibytes) + ".txt")).string();
    }

  private:
    std::filesystem::path folder_;
};

const Corpus& TheCorpus() {
    static Corpus corpus;
    return corpus;
}

void BM_TarnikTypo(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
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
