// tarnik list: prints the misspelt words of a text, one per line.
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/spelling_options.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "list";

const std::string kHelp =
    std::string(
        "Usage: tarnik list [OPTIONS] [FILE...]\n\n"
        "Reads UTF-8 text from the files given, or from standard input, and prints\n"
        "each misspelt word once per occurrence, one per line, as it stands in the\n"
        "text. Words are found and checked as the spell check does it.\n\n"
        "Options:\n") +
    kSpellingOptionsHelp;

void ListMisspelt(std::istream& in, const SpellingSession& spelling) {
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        for (const LineWord& word : WordsOfLine(line)) {
            if (!spelling.Passes(word))
                std::cout << word.original << "\n";
        }
    }
}

int Run(const std::vector<std::string>& args) {
    SpellingOptions options;
    if (std::optional<int> status = ParseSpellingOptions(kName, args, true, options)) {
        return *status;
    }
    SpellingSession spelling;
    if (int status = spelling.Open(kName, options); status != 0)
        return status;
    if (options.files.empty()) {
        ListMisspelt(std::cin, spelling);
        return 0;
    }
    int status = 0;
    for (const std::string& path : options.files) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            std::cerr << "tarnik " << kName << ": cannot read " << path << "\n";
            status = kUsageError;
            continue;
        }
        ListMisspelt(file, spelling);
    }
    return status;
}

CommandRegistration registration({kName, "", "print the misspelt words of a text, one per line",
                                  kHelp, Run});

}  // namespace
}  // namespace tarnik::cli
