// The shipped main dictionary, the dictionary of the mixed-case forms it cannot
// hold and the list of replacements are what the compiler makes of the
// installed hunspell-pl package, byte for byte.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "charsets/utf8.h"
#include "speller/replacements.h"
#include "tools/container/user_word_list_writer.h"
#include "tools/dictc/dictionary_compiler.h"

namespace tarnik::tools {
namespace {

std::vector<uint8_t> Shipped(const std::string& name) {
    std::ifstream shipped(TARNIK_SOURCE_DIR "/data/" + name, std::ios::binary);
    EXPECT_TRUE(shipped) << name;
    return {std::istreambuf_iterator<char>(shipped), {}};
}

TEST(SonDicRegeneration, InstalledPackageGivesTheShippedBytes) {
    const std::string source = "/usr/share/hunspell/pl_PL";
    if (!std::filesystem::exists(source + ".aff") || !std::filesystem::exists(source + ".dic"))
        GTEST_SKIP() << "hunspell-pl is not installed";
    CompileOptions options;
    options.affixPath = source + ".aff";
    options.wordListPath = source + ".dic";
    CompiledDictionary compiled = CompileDictionary(options);
    EXPECT_TRUE(compiled.file == Shipped("son.dic"))
        << "data/son.dic differs from a fresh compilation: rebuild it with the target "
           "regenerate_son_dic";
    std::vector<std::string> mixed;
    for (const std::string& form : compiled.mixedForms)
        mixed.push_back(Utf8ToCp1250(form));
    EXPECT_EQ(mixed.size(), 716u);
    EXPECT_TRUE(UserWordListFile(mixed) == Shipped("mixedcase.dic"))
        << "data/mixedcase.dic differs from a fresh compilation: rebuild it with the target "
           "regenerate_son_dic";
    std::string replacements = ReplacementsFileText(compiled.replacements);
    EXPECT_EQ(compiled.replacements.size(), 64u);
    EXPECT_TRUE(std::vector<uint8_t>(replacements.begin(), replacements.end()) ==
                Shipped("replacements.txt"))
        << "data/replacements.txt differs from a fresh compilation: rebuild it with the target "
           "regenerate_son_dic";
    EXPECT_EQ(ParseReplacements(replacements).size(), 64u);  // every pair is read back
}

}  // namespace
}  // namespace tarnik::tools
