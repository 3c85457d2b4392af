// Whole-document commands over documents of many text boxes, whole runs of the
// built programs through the plug-in module (tarnik run): "Check Document..."
// and "Remove hyphens from document" on 5,000, 10,000 and 20,000 boxes, each
// box with its own story of one short correct sentence holding a soft hyphen.
// Both must grow linearly with the number of boxes.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string Tarnik() {
    return std::string(TARNIK_BIN_DIR) + "/tarnik";
}

// A private folder with a copy of the data (the spell check makes its user
// dictionary beside it), the documents and the dialog scripts.
class Folder {
  public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "tarnik-boxes-bench-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        fs::copy(std::string(TARNIK_BIN_DIR) + "/XTensions", Path("data"),
                 fs::copy_options::recursive);
        std::ofstream(Path("ok.txt")) << "answer ok\n";
        std::ofstream(Path("yes.txt")) << "answer yes\n";
    }
    ~Folder() { fs::remove_all(path_); }
    std::string Path(const std::string& name) const { return (path_ / name).string(); }

    // The document of `boxes` boxes, made once.
    std::string Document(int boxes) const {
        std::string path = Path("boxes" + std::to_string(boxes) + ".json");
        if (fs::exists(path))
            return path;
        std::string stories, items;
        for (int i = 0; i < boxes; ++i) {
            stories += std::string(i ? "," : "") + R"({"text": "Ala ma ko\u00adta i psa."})";
            items += std::string(i ? "," : "") + R"({"type": "text", "story": )" +
                     std::to_string(i) + "}";
        }
        std::ofstream(path) << R"({"stories": [)" << stories << R"(], "spreads": [{"items": [)"
                            << items << "]}]}";
        return path;
    }

  private:
    fs::path path_;
};

const Folder& TheFolder() {
    static Folder folder;
    return folder;
}

double ChildSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the menu command on the document of state.range(0) boxes once per
// iteration; child_cpu_s is the CPU time of one run (the machine may be shared).
void RunCommand(benchmark::State& state, const char* title, const char* script) {
    const Folder& folder = TheFolder();
    std::string command = "XDG_DATA_HOME=" + folder.Path("") + " " + Tarnik() + " run " +
                          folder.Document(static_cast<int>(state.range(0))) + " --command '" +
                          title + "' --dialogs " + folder.Path(script) + " --data " +
                          folder.Path("data") + " -o " + folder.Path("out.json") + " 2>/dev/null";
    double before = ChildSeconds();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("tarnik run failed");
            break;
        }
    }
    if (state.iterations() > 0)
        state.counters["child_cpu_s"] = (ChildSeconds() - before) / double(state.iterations());
}

void BM_CheckDocument(benchmark::State& state) {
    RunCommand(state, "Check Document...", "ok.txt");
}

void BM_RemoveHyphensFromDocument(benchmark::State& state) {
    RunCommand(state, "Remove hyphens from document", "yes.txt");
}

}  // namespace

BENCHMARK(BM_CheckDocument)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_RemoveHyphensFromDocument)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

BENCHMARK_MAIN();
