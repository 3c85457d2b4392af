// The spell check over 1 MiB and 2 MiB of correct Polish prose, whole runs of
// the built programs:
//   - "Check Document..." through the plug-in module (tarnik run on a document
//     of one story), the final message answered by the script;
//   - tarnik check on the same text as a file, with a script that answers
//     nothing (there is nothing to answer);
//   - hunspell -l with the Polish dictionary, on the same file.
//
// The prose is made from the translations of the Polish message catalogues
// installed here: their words, split at spaces, keeping only those that carry
// no digit or markup and that neither tarnik list nor hunspell -l reports, in
// catalogue order, twelve to a line. Setting up checks that tarnik list reports
// nothing in the result, so every walk runs to the end without stopping.
#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
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

std::string Tarnik() {
    return std::string(TARNIK_BIN_DIR) + "/tarnik";
}

// A word worth keeping: ASCII and Polish letters, and hyphens.
bool PlainWord(const std::string& word) {
    static const std::string polish = "ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";
    bool letter = false;
    for (size_t i = 0; i < word.size();) {
        auto c = static_cast<unsigned char>(word[i]);
        if (std::isalpha(c)) {
            letter = true;
            ++i;
        } else if (c == '-') {
            ++i;
        } else if (c >= 0xC0 && i + 1 < word.size() &&
                   polish.find(word.substr(i, 2)) != std::string::npos) {
            letter = true;
            i += 2;
        } else {
            return false;
        }
    }
    return letter;
}

// The token without the punctuation around it, quotation marks, dashes and
// the ellipsis included.
std::string Core(std::string token) {
    const char* marks[] = {".", ",", ";", ":", "!", "?", "(", ")", "\"", "'",
                           "„", "”", "“", "‘", "’", "«", "»", "…", "–",  "—"};
    for (bool cut = true; cut && !token.empty();) {
        cut = false;
        for (std::string mark : marks) {
            if (token.starts_with(mark)) {
                token.erase(0, mark.size());
                cut = true;
            }
            if (token.ends_with(mark)) {
                token.erase(token.size() - mark.size());
                cut = true;
            }
        }
    }
    return token;
}

std::set<std::string> Lines(const std::string& text) {
    std::set<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.insert(line);
    return lines;
}

// Whether the word, or a part of it between hyphens, was reported.
bool Rejected(const std::string& word, const std::set<std::string>& rejected) {
    if (rejected.count(word))
        return true;
    size_t start = 0;
    for (size_t end; (end = word.find('-', start)) != std::string::npos; start = end + 1) {
        if (rejected.count(word.substr(start, end - start)))
            return true;
    }
    return start > 0 && rejected.count(word.substr(start));
}

// The kept tokens of the raw text, twelve to a line.
std::string Prose(const std::string& raw, const std::set<std::string>& rejected) {
    std::ifstream in(raw, std::ios::binary);
    std::string prose;
    std::string token;
    int onLine = 0;
    while (in >> token) {
        std::string core = Core(token);
        if (!PlainWord(core) || core.front() == '-' || core.back() == '-' ||
            Rejected(core, rejected))
            continue;
        prose += token;
        prose += ++onLine % 12 == 0 ? "\n" : " ";
    }
    return prose;
}

class Corpus {
  public:
    Corpus() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnik-spell-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        std::string raw = Path("raw.txt");
        Output(std::string("for f in ") + kCatalogues +
               "/*.mo; do msgunfmt \"$f\" 2>/dev/null | msgexec 0 2>/dev/null; "
               "done | tr '\\0' '\\n' > " +
               raw);
        std::set<std::string> rejected = Lines(Output(Tarnik() + " list < " + raw));
        for (const std::string& word :
             Lines(Output("hunspell -d pl_PL -l < " + raw + " 2>/dev/null")))
            rejected.insert(word);

        // Words of markup in the catalogues may pass there and not in prose:
        // filter until the prose itself holds nothing to report.
        std::string prose;
        for (int round = 0; round < 4; ++round) {
            prose = Prose(raw, rejected);
            std::ofstream(Path("prose.txt"), std::ios::binary) << prose;
            std::set<std::string> left = Lines(Output(Tarnik() + " list < " + Path("prose.txt")));
            if (left.empty())
                break;
            rejected.insert(left.begin(), left.end());
        }
        if (prose.size() < 100000)
            throw std::runtime_error("too little Polish text in the message catalogues");
        for (int mebibytes : {1, 2}) {
            std::string piece;
            while (piece.size() < (size_t(mebibytes) << 20))
                piece += prose;
            piece.resize(size_t(mebibytes) << 20);
            piece.resize(piece.rfind(' '));  // whole words only
            piece += "\n";
            std::ofstream(Input(mebibytes), std::ios::binary) << piece;
            std::ofstream(Document(mebibytes), std::ios::binary)
                << R"({"stories": [{"text": ")" << Escaped(piece)
                << R"("}], "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], )"
                << R"("current": "t"})";
            std::string left = Output(Tarnik() + " list < " + Input(mebibytes));
            if (!left.empty())
                throw std::runtime_error("the prose holds words tarnik reports: " +
                                         left.substr(0, 200));
        }
        std::ofstream(Path("answer-ok.txt")) << "answer ok\n";
        std::ofstream(Path("nothing.txt"));
    }
    ~Corpus() { std::filesystem::remove_all(folder_); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    std::string Input(int mebibytes) const {
        return Path("polish-" + std::to_string(mebibytes) + ".txt");
    }
    std::string Document(int mebibytes) const {
        return Path("polish-" + std::to_string(mebibytes) + ".json");
    }

  private:
    static std::string Escaped(const std::string& text) {
        std::string out;
        for (char c : text) {
            if (c == '"' || c == '\\')
                out += '\\';
            out += c == '\n' ? std::string("\\n") : std::string(1, c);
        }
        return out;
    }

    std::filesystem::path folder_;
};

const Corpus& TheCorpus() {
    static Corpus corpus;
    return corpus;
}

// The environment of every run: a private per-user folder and user dictionary.
std::string Environment(const Corpus& corpus) {
    return "XDG_DATA_HOME=" + corpus.Path("") +
           " TARNIK_USER_DICTIONARY=" + corpus.Path("user.dic") + " ";
}

// CPU seconds (user and system) of the finished child processes so far.
double ChildSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the command once per iteration. The counter child_cpu_s is the CPU time
// of one run (the machine may be shared: wall time then includes waiting).
void Run(benchmark::State& state, const std::string& command, const char* what) {
    double before = ChildSeconds();
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError(what);
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * (state.range(0) << 20));
    if (state.iterations() > 0)
        state.counters["child_cpu_s"] = (ChildSeconds() - before) / double(state.iterations());
}

void BM_CheckDocumentThroughTheModule(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    int mebibytes = static_cast<int>(state.range(0));
    Run(state,
        Environment(corpus) + Tarnik() + " run " + corpus.Document(mebibytes) +
            " --command 'Check Document...' --dialogs " + corpus.Path("answer-ok.txt") + " -o " +
            corpus.Path("out.json") + " 2>/dev/null",
        "tarnik run failed");
}
BENCHMARK(BM_CheckDocumentThroughTheModule)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

void BM_TarnikCheck(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    int mebibytes = static_cast<int>(state.range(0));
    Run(state,
        Environment(corpus) + Tarnik() + " check --no-backup --dialogs " +
            corpus.Path("nothing.txt") + " " + corpus.Input(mebibytes) + " 2>/dev/null",
        "tarnik check failed");
}
BENCHMARK(BM_TarnikCheck)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HunspellList(benchmark::State& state) {
    const Corpus& corpus = TheCorpus();
    int mebibytes = static_cast<int>(state.range(0));
    Run(state, "hunspell -d pl_PL -l < " + corpus.Input(mebibytes) + " > /dev/null",
        "hunspell failed");
}
BENCHMARK(BM_HunspellList)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
