// hyphc: compiles hyphenation patterns into a hyphenation data file.
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "tools/container/container_writer.h"
#include "tools/hyphc/hyph_data_compiler.h"

namespace {

constexpr char kUsage[] =
    "Usage: hyphc PATTERNS -o OUTPUT [--exceptions FILE] [--seed FILE]\n\n"
    "Compiles Liang hyphenation patterns (first line: the encoding) into a\n"
    "hyphenation data file. --exceptions adds the built-in exception list and\n"
    "--seed the list a new user exceptions file starts with: one hyphenated\n"
    "word per line, UTF-8 (ko-tek).\n";

int Fail(const std::string& message) {
    std::cerr << "hyphc: " << message << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string patternsPath, outputPath, exceptionsPath, seedPath;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        } else if (a == "-o" && hasValue) {
            outputPath = args[++i];
        } else if (a == "--exceptions" && hasValue) {
            exceptionsPath = args[++i];
        } else if (a == "--seed" && hasValue) {
            seedPath = args[++i];
        } else if (!a.empty() && a[0] != '-' && patternsPath.empty()) {
            patternsPath = a;
        } else {
            std::cerr << kUsage;
            return 2;
        }
    }
    if (patternsPath.empty() || outputPath.empty()) {
        std::cerr << kUsage;
        return 2;
    }

    std::ifstream patterns(patternsPath, std::ios::binary);
    if (!patterns)
        return Fail("cannot read " + patternsPath);
    std::optional<std::ifstream> exceptions, seed;
    if (!exceptionsPath.empty() && !exceptions.emplace(exceptionsPath, std::ios::binary))
        return Fail("cannot read " + exceptionsPath);
    if (!seedPath.empty() && !seed.emplace(seedPath, std::ios::binary))
        return Fail("cannot read " + seedPath);

    tarnik::tools::CompiledHyphData data;
    try {
        data = tarnik::tools::CompileHyphData(patterns, exceptions ? &*exceptions : nullptr,
                                              seed ? &*seed : nullptr);
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
    for (const std::string& warning : data.warnings)
        std::cerr << "hyphc: warning: " << warning << "\n";

    try {
        tarnik::tools::WriteFileBytes(outputPath, data.container);
    } catch (const std::exception& e) {
        return Fail(e.what());
    }
    return 0;
}
