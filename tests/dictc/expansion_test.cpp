// Expansion is checked against libhunspell itself on a small affix file that
// uses every kind of rule the compiler knows.
#include "tools/dictc/expansion.h"

#include <gtest/gtest.h>
#include <hunspell.hxx>

#include <set>
#include <sstream>

#include "charsets/utf8.h"
#include "temp_folder.h"

namespace tarnik::tools {
namespace {

constexpr char kAffix[] = R"(SET UTF-8
TRY aioeznrw
REP 2
REP rz ż
REP ż rz
MAP 1
MAP aą

PFX n Y 1
PFX n 0 nie .

PFX p N 1
PFX p 0 prze [^p]

SFX A Y 4
SFX A 0 y [^a]
SFX A 0 em [^a]
SFX A a ę a
SFX A a ą [^k]a

SFX B N 2
SFX B ć łem ać
SFX B ać ą ać
)";

constexpr char kWords[] = R"(9
kot/An
żaba/An
ćma/A
pisać/Bn
a/A
Warszawa/A
brać/Bp
PKP
kuku/Z
)";

std::string Utf8(const std::u32string& text) {
    std::u16string units(text.begin(), text.end());
    return Utf16ToUtf8(units);
}

std::set<std::string> ExpandAll(const std::string& affix, const std::string& words) {
    std::istringstream affixIn(affix), wordsIn(words);
    AffixRules rules = ReadAffixRules(affixIn);
    std::set<std::string> forms;
    for (const WordEntry& entry : ReadWordList(wordsIn, rules.encoding)) {
        for (const auto& group : ExpandEntry(rules, entry)) {
            for (const std::u32string& form : group)
                forms.insert(Utf8(form));
        }
    }
    return forms;
}

TEST(Expansion, GivesExactlyTheFormsHunspellAccepts) {
    const std::set<std::string> expected = {
        "kot",     "koty",    "kotem",    "niekot",  "niekoty",  "niekotem", "żaba",     "żabę",
        "żabą",    "nieżaba", "nieżabę",  "nieżabą", "ćma",      "ćmę",      "ćmą",      "pisać",
        "pisałem", "pisą",    "niepisać", "a",       "Warszawa", "Warszawę", "Warszawą", "brać",
        "brałem",  "brą",     "przebrać", "PKP",     "kuku"};
    EXPECT_EQ(ExpandAll(kAffix, kWords), expected);

    testing::TempFolder folder;
    Hunspell hunspell(folder.Write("t.aff", kAffix).c_str(), folder.Write("t.dic", kWords).c_str());
    for (const std::string& form : expected)
        EXPECT_TRUE(hunspell.spell(form)) << form;
    // Each of these breaks one rule: no cross product with a suffix that allows
    // none, a root no longer than its strip, a failed condition.
    for (const char* wrong : {"niepisałem", "przebrałem", "ę", "kotą", "Warszawy", "ćmy", "niepisą",
                              "przebrą", "kukuy"}) {
        EXPECT_FALSE(hunspell.spell(std::string(wrong))) << wrong;
        EXPECT_FALSE(expected.count(wrong)) << wrong;
    }
}

TEST(Expansion, ReadsTheEncodingTheAffixFileSets) {
    // "żaba" and "ę" in ISO-8859-2.
    std::string affix = "SET ISO8859-2\nSFX A Y 1\nSFX A a \xea a\n";
    std::string words =
        "1\n\xbf"
        "aba/A\n";
    EXPECT_EQ(ExpandAll(affix, words), (std::set<std::string>{"żaba", "żabę"}));
}

}  // namespace
}  // namespace tarnik::tools
