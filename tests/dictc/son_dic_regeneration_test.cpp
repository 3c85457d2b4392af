// The shipped main dictionary is what the compiler makes of the installed
// hunspell-pl package, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "tools/dictc/dictionary_compiler.h"

namespace tarnik::tools {
namespace {

TEST(SonDicRegeneration, InstalledPackageGivesTheShippedBytes) {
    const std::string source = "/usr/share/hunspell/pl_PL";
    if (!std::filesystem::exists(source + ".aff") || !std::filesystem::exists(source + ".dic"))
        GTEST_SKIP() << "hunspell-pl is not installed";
    std::ifstream shipped(TARNIK_SOURCE_DIR "/data/son.dic", std::ios::binary);
    ASSERT_TRUE(shipped);
    std::vector<uint8_t> expected{std::istreambuf_iterator<char>(shipped), {}};
    CompileOptions options;
    options.affixPath = source + ".aff";
    options.wordListPath = source + ".dic";
    EXPECT_TRUE(CompileDictionary(options).file == expected)
        << "data/son.dic differs from a fresh compilation: rebuild it with the target "
           "regenerate_son_dic";
}

}  // namespace
}  // namespace tarnik::tools
