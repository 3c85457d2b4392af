// Damaged dictionaries: truncated, bit-flipped and lying files must give an
// error result or a refused word, never a crash or a read out of bounds (run
// these under the sanitizers to see the second).
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "files/resource_container.h"
#include "fixture_dictionary.h"
#include "speller/main_dictionary.h"
#include "speller/replacements.h"
#include "speller/suggestions.h"
#include "speller/user_dictionary.h"
#include "speller/word_check.h"
#include "speller/word_frequencies.h"
#include "tools/container/container_writer.h"

namespace tarnik {
namespace {

using testing::Cp;

const char* const kWords[] = {"kot",   "kotem", "Kot",      "KOT", "koza",   "kozioł", "książkę",
                              "rzeka", "np",    "Warszawa", "PKP", "e-mail", "zzz",    "kOt"};

// Opens `bytes` as a dictionary and, when it opens, checks every word and asks
// for suggestions for one; any result is fine as long as it comes back. Each
// variant goes to a new file: rewriting one file over and over is slow on some
// file systems.
void Exercise(const std::string& folder, const tools::Bytes& bytes, bool suggest) {
    static int variant = 0;
    std::string path = folder + "/son" + std::to_string(++variant) + ".dic";
    // Sealed again, so that the damage reaches the reader behind the checksum.
    tools::Bytes sealed = bytes;
    tools::Reseal(sealed);
    testing::WriteFile(path, sealed);
    int16_t opened = SpellerOpen(path);
    std::filesystem::remove(path);
    if (opened != 0) {
        EXPECT_FALSE(SpellerIsOpen());
        return;
    }
    for (const char* word : kWords) {
        int16_t result = SpellerCheckWord(Cp(word));
        EXPECT_TRUE(result == 0 || result == 1);
        SpellerCheckWordBeforeStop(Cp(word));
    }
    if (suggest)
        SpellerFreeSuggestions(SpellerSuggest(Cp("kotx")));
    SpellerClose();
}

size_t DataArea(const tools::Bytes& bytes) {
    return (size_t{bytes[8]} << 24) | (bytes[9] << 16) | (bytes[10] << 8) | bytes[11];
}

class DamagedFilesTest : public ::testing::Test {
  protected:
    testing::TempDir dir_;
    tools::Bytes good_ = testing::FixtureWriter().Build();
};

TEST_F(DamagedFilesTest, TruncatedDictionaries) {
    for (size_t size = 0; size < good_.size(); ++size) {
        Exercise(dir_.Path(), tools::Bytes(good_.begin(), good_.begin() + size), size % 16 == 0);
    }
}

TEST_F(DamagedFilesTest, BitFlippedDictionaries) {
    for (size_t at = 0; at < good_.size(); ++at) {
        for (uint8_t mask : {uint8_t(1u << (at % 8)), uint8_t(0xFF)}) {
            tools::Bytes bytes = good_;
            bytes[at] ^= mask;
            Exercise(dir_.Path(), bytes, at % 16 == 0);
        }
    }
}

TEST_F(DamagedFilesTest, LyingNodes) {
    size_t nodes = DataArea(good_) + 8;
    size_t count = (good_.size() - nodes) / 16;  // more than there are: the blocks too
    struct Lie {
        const char* what;
        std::function<void(uint8_t*)> apply;  // on each 16-byte node
    };
    const Lie lies[] = {
        {"offsets past the end", [](uint8_t* n) { n[2] = n[3] = 0xFF; }},
        {"sizes past the end", [](uint8_t* n) { n[6] = n[7] = 0x7F; }},
        {"sizes over the block limit", [](uint8_t* n) { n[7] = 0x01; }},
        {"blocks without their end mark",
         [](uint8_t* n) {
             if (n[9] >= 2)
                 n[9] -= 2;
         }},
        {"child bases outside the table", [](uint8_t* n) { n[0] = n[1] = 0xFF; }},
        {"child bases pointing back to the root", [](uint8_t* n) { n[0] = n[1] = 0; }},
    };
    for (const Lie& lie : lies) {
        tools::Bytes bytes = good_;
        uint32_t stated = (bytes[nodes - 4] << 24) | (bytes[nodes - 3] << 16) |
                          (bytes[nodes - 2] << 8) | bytes[nodes - 1];
        for (size_t i = 0; i < std::min<size_t>(stated, count); ++i) {
            if (bytes[nodes + i * 16 + 14] != 0)
                lie.apply(&bytes[nodes + i * 16]);
        }
        SCOPED_TRACE(lie.what);
        Exercise(dir_.Path(), bytes, true);
    }
    // A node count that claims more nodes than the file holds.
    tools::Bytes bytes = good_;
    bytes[nodes - 2] = 0x0F;
    Exercise(dir_.Path(), bytes, false);
}

TEST_F(DamagedFilesTest, DamagedUserDictionaries) {
    std::string path = dir_.Path("user.dic");
    ASSERT_EQ(UserDictCreate(path), 0);
    UserDictionary* user = nullptr;
    ASSERT_EQ(UserDictOpen(path, user), 0);
    for (const char* word : {"Kowalski", "kot", "kotek", "ko", "e-mail", "żółw"}) {
        UserDictAddWord(user, Cp(word));
    }
    UserDictCloseAll();
    const tools::Bytes good = testing::ReadFile(path);
    int variant = 0;
    auto exercise = [&](const tools::Bytes& bytes) {
        std::string copy = dir_.Path("user" + std::to_string(++variant) + ".dic");
        testing::WriteFile(copy, bytes);
        UserDictionary* damaged = nullptr;
        if (UserDictOpen(copy, damaged) != 0)
            return;
        std::string word;
        for (bool more = UserDictNextWord(damaged, word, true); more;) {
            more = UserDictNextWord(damaged, word, false);
        }
        EXPECT_EQ(SpellerCheckWord("Kowalski") & ~1, 0);
        UserDictContains(damaged, "kotek");
        UserDictAddWord(damaged, "kotka");
        UserDictRemoveWord(damaged, "kot");
        UserDictClose(damaged);
    };
    for (size_t size = 0; size < good.size(); ++size) {
        exercise(tools::Bytes(good.begin(), good.begin() + size));
    }
    for (size_t at = 0; at < good.size(); ++at) {
        for (uint8_t mask : {uint8_t(1u << (at % 8)), uint8_t(0xFF)}) {
            tools::Bytes bytes = good;
            bytes[at] ^= mask;
            exercise(bytes);
        }
    }
}

// The bundled files our tools write end in a checksum trailer: a copy cut to
// half, with a 64-byte block changed or with a byte of its trailer flipped is
// refused at open (and the services name it), never read into wrong answers.
TEST(DamagedBundledFiles, AreRefusedByTheirReaders) {
    const std::pair<const char*, std::function<void(tools::Bytes&)>> damages[] = {
        {"cut to half", [](tools::Bytes& f) { f.resize(f.size() / 2); }},
        {"a 64-byte block changed",
         [](tools::Bytes& f) {
             for (size_t i = 0; i < 64; ++i)
                 f[f.size() / 3 + i] ^= 0x5A;
         }},
        {"a byte of the trailer flipped", [](tools::Bytes& f) { f[f.size() - 5] ^= 0x01; }},
    };
    // Whether the reader of each file refuses the file in `folder`.
    const std::pair<const char*, std::function<bool(const std::string&)>> readers[] = {
        {"son.dic",
         [](const std::string& folder) {
             int16_t result = SpellerOpen(folder + "/son.dic");
             SpellerClose();
             return result == kContainerDamaged;
         }},
        {kMixedCaseDictionaryName,
         [](const std::string& folder) {
             UserDictionary* mixed = nullptr;
             int16_t result = UserDictOpenSealed(folder + "/" + kMixedCaseDictionaryName, mixed);
             UserDictCloseAll();
             return result == kUserDictDamaged;
         }},
        {kWordFrequenciesName,
         [](const std::string& folder) {
             EXPECT_EQ(SpellerOpen(folder + "/son.dic"), 0);
             bool refused = WordFrequency("jest") == 0;
             SpellerClose();
             return refused;
         }},
        {kReplacementsName,
         [](const std::string& folder) {
             EXPECT_EQ(SpellerOpen(folder + "/son.dic"), 0);
             bool refused = BundledReplacements().empty();
             SpellerClose();
             return refused;
         }},
    };
    testing::TempDir dir;
    const std::string shipped = TARNIK_SOURCE_DIR "/data/";
    for (const auto& [name, refuses] : readers) {
        tools::Bytes file = testing::ReadFile(shipped + name);
        ASSERT_FALSE(file.empty()) << name;
        std::filesystem::copy_file(shipped + "son.dic", dir.Path("son.dic"),
                                   std::filesystem::copy_options::overwrite_existing);
        testing::WriteFile(dir.Path(name), file);
        EXPECT_FALSE(refuses(dir.Path())) << name << " as shipped";
        for (const auto& [damage, apply] : damages) {
            tools::Bytes damaged = file;
            apply(damaged);
            testing::WriteFile(dir.Path(name), damaged);
            EXPECT_TRUE(refuses(dir.Path())) << name << ": " << damage;
        }
    }
}

}  // namespace
}  // namespace tarnik
