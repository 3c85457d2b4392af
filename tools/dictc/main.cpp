// tarnik-dictc: compiles a hunspell dictionary into a main dictionary.
//
//   tarnik-dictc --aff pl_PL.aff --dic pl_PL.dic --out son.dic
//                [--always FILE] [--abbreviations FILE] [--report FILE]
//
// The file is written beside --out under a temporary name (the safe save),
// opened with the speller and checked word by word; only a file that passes
// replaces --out.
#include <fstream>
#include <iostream>
#include <map>
#include <set>

#include "tools/container/container_writer.h"
#include "tools/dictc/dictionary_compiler.h"
#include "tools/dictc/verification.h"

namespace {

int Usage() {
    std::cerr << "usage: tarnik-dictc --aff FILE --dic FILE --out FILE [--always FILE]"
                 " [--abbreviations FILE] [--report FILE]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2)
        args[argv[i]] = argv[i + 1];
    const std::set<std::string> known = {"--aff",    "--dic",           "--out",
                                         "--always", "--abbreviations", "--report"};
    if (argc % 2 == 0 || !args.count("--aff") || !args.count("--dic") || !args.count("--out"))
        return Usage();
    for (const auto& [name, value] : args) {
        if (!known.count(name))
            return Usage();
    }
    tarnik::tools::CompileOptions options{args["--aff"], args["--dic"], args["--always"],
                                          args["--abbreviations"]};
    const std::string out = args["--out"];
    try {
        tarnik::tools::CompiledDictionary dictionary = tarnik::tools::CompileDictionary(options);
        // The written file is opened with the speller and checked word by word
        // before it may replace --out.
        std::vector<std::string> failures;
        try {
            tarnik::tools::WriteFileBytes(out, dictionary.file, [&](const std::string& written) {
                failures = tarnik::tools::VerifyDictionary(written, dictionary);
                return failures.empty();
            });
        } catch (const std::exception&) {
            if (failures.empty())
                throw;
            std::cerr << "tarnik-dictc: the compiled dictionary fails its own check; " << out
                      << " is left as it was:\n";
            for (const std::string& failure : failures)
                std::cerr << "  " << failure << "\n";
            return 1;
        }
        if (args.count("--report")) {
            std::ofstream report(args["--report"]);
            tarnik::tools::PrintReport(dictionary, report);
        } else {
            tarnik::tools::PrintReport(dictionary, std::cout);
        }
    } catch (const std::exception& e) {
        std::cerr << "tarnik-dictc: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
