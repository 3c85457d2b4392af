// Runs `tarnik typo` on 1 MiB and 2 MiB of Polish prose: the translations of
// the Polish message catalogues installed on this machine, in catalogue order,
// repeated as needed and cut at a character boundary.
//
// The runs use a settings file that turns the quotation-mark rule off: message
// catalogues hold marks the engine stops at (a closing mark before "…"), and a
// run that stops early measures nothing. Every other rule is on, as by default.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace {

constexpr char kCatalogues[] = "/usr/share/locale/pl/LC_MESSAGES";

std::string Output(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[65536];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    pclose(pipe);
    return out;
}

// The corpus files and the settings, made once in a temporary folder.
class Corpus {
  public:
    Corpus() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnik-typo-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        std::string text = Output(std::string("for f in ") + kCatalogues +
                                  "/*.mo; do msgunfmt \"$f\" 2>/dev/null | msgexec 0 2>/dev/null; "
                                  "done | tr '\\0' '\\n'");
        if (text.size() < 100000)
            throw std::runtime_error("too little Polish text in the message catalogues");
        for (int mebibytes : {1, 2}) {
            std::string piece;
            while (piece.size() < (size_t(mebibytes) << 20))
                piece += text;
            piece.resize(size_t(mebibytes) << 20);
            while (!piece.empty() && (static_cast<unsigned char>(piece.back()) & 0xC0) == 0x80)
                piece.pop_back();
            if (!piece.empty() && static_cast<unsigned char>(piece.back()) >= 0xC0)
                piece.pop_back();
            std::ofstream(Input(mebibytes), std::ios::binary) << piece;
        }
        std::ofstream(Settings()) << "[1Typografia]\n2Cudzyslow=0\n";
    }
    ~Corpus() { std::filesystem::remove_all(folder_); }

    std::string Input(int mebibytes) const {
        return (folder_ / ("polish-" + std::to_string(mebibytes) + ".txt")).string();
    }
    std::string Settings() const { return (folder_ / "typo.ini").string(); }

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
    std::string command = std::string(TARNIK_BIN_DIR) + "/tarnik typo --settings " +
                          corpus.Settings() + " " + corpus.Input(mebibytes) + " > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("tarnik typo failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * (int64_t(mebibytes) << 20));
}
BENCHMARK(BM_TarnikTypo)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
