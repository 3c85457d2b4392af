// The hyphenation method the plug-in offers the host: its registration, its
// record in the host's list of methods, and the break entries of word requests,
// through the in-memory host with the plug-in started as the host starts it.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "hyphcommands/hyph_service.h"
#include "hyphenation/user_exceptions.h"
#include "platform/settings_store.h"
#include "plugin_fixture.h"

namespace {

namespace fs = std::filesystem;
using shelltest::OneBox;
using shelltest::PluginFixture;

bool& UseExceptions() {
    static bool use = true;
    return use;
}

// The plug-in's entry, then the setting "2UzywajWyjatkow" in a settings file of
// the test's own, before the menu installation reads it.
int32_t EntryWithSetting(XTRegistrationRecord* record) {
    int32_t result = shelltest::FixtureEntry(record);
    tarnik::SetStoreTarget((shelltest::FixtureFolder() + "/Tarnik11.ini").c_str(), "1Dzielenie");
    tarnik::PutInt("2UzywajWyjatkow", UseExceptions() ? 1 : 0);
    tarnik::FlushStore();
    return result;
}

struct Options {
    bool data = true;  // the plug-in's folder holds "PLHYPH.DAT"
    bool useExceptions = true;
    uint32_t features = XT_FEATURE_INTERNATIONAL;
};

// The plug-in started in a host with these options.
class MethodHost {
  public:
    explicit MethodHost(const Options& options = {}) : f(OneBox("kot"), false) {
        if (!options.data)
            fs::remove(fs::path(f.pluginFolder) / "PLHYPH.DAT");
        UseExceptions() = options.useExceptions;
        f.host.featureFlags = options.features;
        f.Start(EntryWithSetting);
    }
    // The host quits, so that the next start in this process opens its own files.
    ~MethodHost() { f.host.Quit(); }

    PluginFixture f;
};

TEST(HyphMethod, TheMethodIsRegisteredForTheHostsLanguages) {
    constexpr uint64_t kEnglish = uint64_t{1} << XT_LANGUAGE_ENGLISH;
    constexpr uint64_t kPolish = uint64_t{1} << XT_LANGUAGE_POLISH;
    struct Case {
        uint32_t features;
        uint64_t languages;
    };
    const Case cases[] = {
        {XT_FEATURE_POLISH, kPolish},
        {XT_FEATURE_POLISH | XT_FEATURE_INTERNATIONAL, kPolish},
        {XT_FEATURE_INTERNATIONAL, kEnglish | kPolish},
        {XT_FEATURE_MULTILINGUAL, kEnglish | kPolish},
        {0, 0},
    };
    for (const Case& c : cases) {
        MethodHost h({.features = c.features});
        ASSERT_EQ(h.f.started, 0);
        ASSERT_EQ(h.f.host.hyphenationMethods.size(), 1u) << c.features;
        const tarnik::host::HyphenationMethod& method = h.f.host.hyphenationMethods[0];
        uint32_t id;
        std::memcpy(&id, "TRNk", 4);
        EXPECT_EQ(method.id, id);
        EXPECT_EQ(method.name, u"Tarnik");
        EXPECT_EQ(method.value1, 10);
        EXPECT_EQ(method.value2, 10);
        EXPECT_EQ(method.languagesLow, c.languages) << c.features;
        EXPECT_EQ(method.languagesHigh, 0u);
        EXPECT_EQ(method.flags, 0);
        // The method's name went back to the host once registered.
        EXPECT_EQ(h.f.host.LiveHandles(), 0u);
    }
}

TEST(HyphMethod, TheMethodListGetsTheRecord) {
    MethodHost h;
    std::vector<std::vector<unsigned char>> records = h.f.host.CollectHyphenationMethods();
    ASSERT_EQ(records.size(), 1u);
    std::vector<unsigned char> expected(XT_HYPH_METHOD_RECORD_SIZE, 0);
    std::memcpy(expected.data(), "TRNk", 4);
    const char16_t name[] = u"Tarnik";
    std::memcpy(expected.data() + 8, name, 12);
    const int32_t length = 6;
    std::memcpy(expected.data() + 72, &length, 4);
    EXPECT_EQ(records[0], expected);
    EXPECT_EQ(h.f.host.LiveHandles(), 0u);
}

TEST(HyphMethod, WordRequestsGiveTheEndOfEachPiece) {
    MethodHost h;
    ASSERT_EQ(h.f.host.messages.size(), 0u);
    ASSERT_EQ(tarnik::AddHyphException(*tarnik::Hyphenation().dict, "kon-stan-ty"), 0);
    struct Case {
        std::string word;
        std::vector<int16_t> breaks;
    };
    const std::vector<Case> cases = {
        {"kot", {3}},
        {"kotek", {2, 5}},
        {"konstanty", {3, 7, 9}},
        {"Przedszkole", {5, 9, 11}},
        {"\xBF\xF3\xB3w", {4}},  // żółw, in cp1250
        {"kot5", {3}},           // the word ends at its first digit
        {"123", {}},
        {std::string(255, 'a'), {255}},  // the longest word: left whole
        {std::string(256, 'a'), {}},     // too long for a word: no entry
    };
    for (const Case& c : cases)
        EXPECT_EQ(h.f.host.HyphenationBreaks(c.word), c.breaks) << c.word;
    EXPECT_EQ(h.f.host.LiveHandles(), 0u);
}

TEST(HyphMethod, TheWordStopsAtANulAndTheHandleIsNotShrunk) {
    MethodHost h;
    const char text[] = "xxkotek\0lapka";
    XTHyphWordRequest request{text, 2, 11, 0, h.f.host.NewHandle(40)};
    EXPECT_EQ(h.f.host.SendEvent(XT_EVENT_HYPH_WORD, &request), 0);
    EXPECT_EQ(request.entryCount, 2);
    const XTHandleRecord* entries = h.f.host.FindHandle(request.entries);
    ASSERT_NE(entries, nullptr);
    EXPECT_EQ(entries->data.size(), 40u);
    int16_t values[4];
    std::memcpy(values, entries->data.data(), sizeof values);
    EXPECT_EQ(values[0], 2);
    EXPECT_EQ(values[1], 0);
    EXPECT_EQ(values[2], 5);
    EXPECT_EQ(values[3], 0);
    h.f.host.DisposeHandle(request.entries);
}

TEST(HyphMethod, TheSettingDecidesWhetherTheUserListIsConsulted) {
    for (bool useExceptions : {true, false}) {
        MethodHost h({.useExceptions = useExceptions});
        ASSERT_EQ(tarnik::AddHyphException(*tarnik::Hyphenation().dict, "kot-ek"), 0);
        const std::vector<int16_t> expected =
            useExceptions ? std::vector<int16_t>{3, 5} : std::vector<int16_t>{2, 5};
        EXPECT_EQ(h.f.host.HyphenationBreaks("kotek"), expected) << useExceptions;
    }
}

TEST(HyphMethod, AMissingDataFileIsReportedAndWordsGetNoEntries) {
    MethodHost h({.data = false});
    ASSERT_EQ(h.f.started, 0);
    ASSERT_EQ(h.f.host.messages.size(), 1u);
    EXPECT_EQ(h.f.host.messages[0].text,
              "Error: -43\rCan't open hyphenation (probably file plhyph.dat is missing) [" +
                  h.f.pluginFolder + "/PLHYPH.DAT]");
    EXPECT_EQ(tarnik::Hyphenation().dict, nullptr);
    EXPECT_TRUE(h.f.host.HyphenationBreaks("kotek").empty());
    // The method is still offered; it answers nothing until the file is there.
    EXPECT_EQ(h.f.host.hyphenationMethods.size(), 1u);
    EXPECT_EQ(h.f.host.CollectHyphenationMethods().size(), 1u);
}

TEST(HyphMethod, TheUserListComesFromTheFolderAndTheDictionaryClosesAtQuit) {
    MethodHost h;
    EXPECT_EQ(tarnik::Hyphenation().dict->userPath, h.f.pluginFolder + "/PLHYPH.USR");
    EXPECT_TRUE(fs::exists(h.f.pluginFolder + "/PLHYPH.USR"));
    h.f.host.Quit();
    EXPECT_EQ(tarnik::Hyphenation().dict, nullptr);
}

}  // namespace
