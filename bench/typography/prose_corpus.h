// Polish prose for the whole-run benchmarks: 1 MiB and 2 MiB of text that
// polish_prose.sh makes from the system's Polish message catalogues and manual
// pages, written once into a temporary folder and removed with it.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

class ProseCorpus {
  public:
    ProseCorpus() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnik-prose-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        for (int mebibytes : {1, 2}) {
            std::string command = std::string(TARNIK_PROSE_SCRIPT) + " " +
                                  std::to_string(mebibytes << 20) + " > " + Input(mebibytes);
            if (std::system(command.c_str()) != 0 ||
                std::filesystem::file_size(Input(mebibytes)) + 4 < (size_t(mebibytes) << 20))
                throw std::runtime_error("too little Polish prose on this machine");
        }
    }
    ~ProseCorpus() { std::filesystem::remove_all(folder_); }

    std::string Input(int mebibytes) const {
        return (folder_ / ("polish-" + std::to_string(mebibytes) + ".txt")).string();
    }
    std::string Text(int mebibytes) const {
        std::ifstream in(Input(mebibytes), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

  private:
    std::filesystem::path folder_;
};

// The one corpus of a benchmark run.
inline const ProseCorpus& TheCorpus() {
    static ProseCorpus corpus;
    return corpus;
}
