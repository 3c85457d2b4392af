// tarnik-dictc: compiles a hunspell dictionary into a main dictionary.
//
//   tarnik-dictc --aff pl_PL.aff --dic pl_PL.dic --out son.dic
//                [--mixed-out mixedcase.dic] [--replacements-out replacements.txt]
//                [--always FILE] [--abbreviations FILE] [--report FILE]
//
// The mixed-case forms, which son.dic cannot hold, go into a user dictionary of
// their own with --mixed-out. The affix file's REP pairs go into the list of
// replacements the suggestions read (replacements.h) with --replacements-out. Each file is written
// beside its target under a temporary name (the safe save), opened with the speller and checked
// word by word; only files that pass replace the targets.
#include <fstream>
#include <iostream>
#include <map>
#include <set>

#include "charsets/utf8.h"
#include "speller/replacements.h"
#include "tools/container/container_writer.h"
#include "tools/container/user_word_list_writer.h"
#include "tools/dictc/dictionary_compiler.h"
#include "tools/dictc/verification.h"

namespace {

int Usage() {
    std::cerr << "usage: tarnik-dictc --aff FILE --dic FILE --out FILE [--mixed-out FILE]"
                 " [--replacements-out FILE] [--always FILE] [--abbreviations FILE]"
                 " [--report FILE]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2)
        args[argv[i]] = argv[i + 1];
    const std::set<std::string> known = {
        "--aff",    "--dic",           "--out",    "--mixed-out",
        "--always", "--abbreviations", "--report", "--replacements-out"};
    if (argc % 2 == 0 || !args.count("--aff") || !args.count("--dic") || !args.count("--out"))
        return Usage();
    for (const auto& [name, value] : args) {
        if (!known.count(name))
            return Usage();
    }
    tarnik::tools::CompileOptions options{args["--aff"], args["--dic"], args["--always"],
                                          args["--abbreviations"]};
    const std::string out = args["--out"];
    const std::string mixedOut = args["--mixed-out"];
    try {
        tarnik::tools::CompiledDictionary dictionary = tarnik::tools::CompileDictionary(options);
        // The written files are opened with the speller and checked word by word
        // before they may replace their targets.
        std::vector<std::string> failures;
        auto writeMain = [&](const std::string& mixedPath) {
            tarnik::tools::WriteFileBytes(out, dictionary.file, [&](const std::string& written) {
                failures = tarnik::tools::VerifyDictionary(written, dictionary, 20, mixedPath);
                return failures.empty();
            });
        };
        try {
            if (mixedOut.empty()) {
                writeMain("");
            } else {
                std::vector<std::string> mixed;
                for (const std::string& form : dictionary.mixedForms)
                    mixed.push_back(tarnik::Utf8ToCp1250(form));
                tarnik::tools::WriteFileBytes(mixedOut, tarnik::tools::UserWordListFile(mixed),
                                              [&](const std::string& written) {
                                                  writeMain(written);
                                                  return true;
                                              });
            }
        } catch (const std::exception&) {
            if (failures.empty())
                throw;
            std::cerr << "tarnik-dictc: the compiled dictionary fails its own check; " << out
                      << " is left as it was:\n";
            for (const std::string& failure : failures)
                std::cerr << "  " << failure << "\n";
            return 1;
        }
        if (args.count("--replacements-out")) {
            std::string text = tarnik::ReplacementsFileText(dictionary.replacements);
            tarnik::tools::WriteFileBytes(args["--replacements-out"],
                                          std::vector<uint8_t>(text.begin(), text.end()),
                                          [](const std::string& written) {
                                              std::ifstream in(written, std::ios::binary);
                                              std::string back((std::istreambuf_iterator<char>(in)),
                                                               std::istreambuf_iterator<char>());
                                              return !tarnik::ParseReplacements(back).empty();
                                          });
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
