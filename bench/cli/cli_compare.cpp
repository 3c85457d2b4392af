// Whole runs of the tarnik command beside their peers, on the same input: each
// iteration starts one process, which reads the whole input and writes its whole
// output (to /dev/null), as a user's run does.
//
//   tarnik list                       hunspell -d pl_PL -i utf-8 -l
//   tarnik hyph --no-user --file      plain_hyphen (libhyphen, bench/cli/plain_hyphen.cpp)
//
//   cli_compare [--text FILE] [--words FILE] [benchmark options]
//
// Text: the translations of the Polish message catalogues installed here
// (/usr/share/locale/pl/LC_MESSAGES/*.mo, read with gettext's msgunfmt and
// msgexec), one per line. Words: the stems of Debian's hunspell-pl
// (/usr/share/hunspell/pl_PL.dic, the words before '/', in UTF-8), one a line.
// Wall time is the benchmark's time; "cpu" is the process's user and system time.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

namespace {

struct Inputs {
    std::string text;
    std::string words;
};

Inputs& TheInputs() {
    static Inputs inputs;
    return inputs;
}

double ChildrenCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Runs `command` once per iteration; wall time and the child's CPU time.
void RunProcess(benchmark::State& state, const std::string& command) {
    double cpu = 0;
    for (auto _ : state) {
        double cpuBefore = ChildrenCpuSeconds();
        auto start = std::chrono::steady_clock::now();
        int status = std::system(command.c_str());
        auto end = std::chrono::steady_clock::now();
        cpu += ChildrenCpuSeconds() - cpuBefore;
        if (status != 0) {
            state.SkipWithError(("failed: " + command).c_str());
            return;
        }
        state.SetIterationTime(std::chrono::duration<double>(end - start).count());
    }
    state.counters["cpu_s"] = benchmark::Counter(cpu / static_cast<double>(state.iterations()));
}

const std::string kBin = TARNIK_BIN_DIR;

void BM_ListTarnik(benchmark::State& state) {
    RunProcess(state, kBin + "/tarnik list " + TheInputs().text + " > /dev/null");
}
void BM_ListHunspell(benchmark::State& state) {
    RunProcess(state, "hunspell -d pl_PL -i utf-8 -l " + TheInputs().text + " > /dev/null 2>&1");
}
void BM_HyphTarnik(benchmark::State& state) {
    RunProcess(state, kBin + "/tarnik hyph --no-user --file " + TheInputs().words + " > /dev/null");
}
void BM_HyphPlainLibhyphen(benchmark::State& state) {
    RunProcess(state, kBin + "/plain_hyphen < " + TheInputs().words + " > /dev/null");
}

BENCHMARK(BM_ListTarnik)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ListHunspell)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HyphTarnik)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_HyphPlainLibhyphen)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

// Makes the default inputs in the temporary folder; false when a tool is missing.
bool MakeInputs(Inputs& inputs) {
    std::string folder = std::filesystem::temp_directory_path().string();
    if (inputs.text.empty()) {
        inputs.text = folder + "/cli_compare_text.txt";
        std::string command =
            "for f in /usr/share/locale/pl/LC_MESSAGES/*.mo; do msgunfmt \"$f\" 2>/dev/null | "
            "msgexec 0 2>/dev/null; done | tr '\\0' '\\n' > " +
            inputs.text;
        if (std::system(command.c_str()) != 0)
            return false;
    }
    if (inputs.words.empty()) {
        inputs.words = folder + "/cli_compare_words.txt";
        std::string command =
            "tail -n +2 /usr/share/hunspell/pl_PL.dic | cut -d/ -f1 | "
            "iconv -f ISO-8859-2 -t UTF-8 > " +
            inputs.words;
        if (std::system(command.c_str()) != 0)
            return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Inputs& inputs = TheInputs();
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if ((a == "--text" || a == "--words") && i + 1 < argc)
            (a == "--text" ? inputs.text : inputs.words) = argv[++i];
        else
            rest.push_back(argv[i]);
    }
    if (!MakeInputs(inputs)) {
        std::cerr << "cli_compare: cannot make the inputs (gettext, hunspell-pl)\n";
        return 1;
    }
    std::cout << "text: " << inputs.text << " (" << std::filesystem::file_size(inputs.text)
              << " bytes)\nwords: " << inputs.words << " ("
              << std::filesystem::file_size(inputs.words) << " bytes)\n";
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
