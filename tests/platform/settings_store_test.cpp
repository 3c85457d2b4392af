#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace tarnik {
namespace {

using testing::ReadFile;
using testing::TempFolder;
using testing::WriteFile;

std::string ReadString(const char* key, const char* fallback, std::size_t size = 256) {
    std::string buffer(size, '\x7F');
    std::size_t length = GetString(key, fallback, buffer.data(), buffer.size());
    EXPECT_EQ(buffer[length], '\0');
    return buffer.substr(0, length);
}

class SettingsStoreTest : public ::testing::Test {
  protected:
    void Use(const std::string& name, const char* section) {
        SetStoreTarget(folder.Path(name).c_str(), section);
    }
    TempFolder folder;
};

TEST_F(SettingsStoreTest, MissingFileReadsDefaultsAndTheFirstWriteCreatesIt) {
    Use("Tarnik11.ini", "1Slownik");
    EXPECT_EQ(GetInt("3PominWERSALIKI", 1), 1);
    EXPECT_EQ(ReadString("7SprawdzSlowoSkrot", "Brak"), "Brak");
    PutInt("3PominWERSALIKI", 0);
    PutString("7SprawdzSlowoSkrot", "F5");
    FlushStore();
    EXPECT_EQ(ReadFile(folder.Path("Tarnik11.ini")),
              "[1Slownik]\n3PominWERSALIKI=0\n7SprawdzSlowoSkrot=F5\n");
    EXPECT_EQ(GetInt("3PominWERSALIKI", 1), 0);
}

TEST_F(SettingsStoreTest, WritesKeepEveryOtherSectionKeyAndLine) {
    WriteFile(folder.Path("a.ini"),
              "; written by hand\r\n[Prefs]\r\nX=1\r\n\r\n[1Slownik]\r\n2SlownikiUzytkownika=1\r\n"
              "junk without equals\r\n\r\n[1Typografia]\r\n11Znaki=.,;\r\n");
    Use("a.ini", "1Slownik");
    PutInt("2SlownikiUzytkownika", 0);  // replaced in place
    PutInt("5ZawszeSugeruj", 0);        // added at the end of its section
    SetStoreTarget(nullptr, "1Dzielenie");
    PutInt("2UzywajWyjatkow", 1);  // a new section at the end
    FlushStore();
    EXPECT_EQ(ReadFile(folder.Path("a.ini")),
              "; written by hand\r\n[Prefs]\r\nX=1\r\n\r\n[1Slownik]\r\n2SlownikiUzytkownika=0\r\n"
              "junk without equals\r\n5ZawszeSugeruj=0\r\n\r\n[1Typografia]\r\n11Znaki=.,;\r\n"
              "\r\n[1Dzielenie]\r\n2UzywajWyjatkow=1\r\n");
}

TEST_F(SettingsStoreTest, StrayCarriageReturnsAtALineEndAreNoPartOfTheValue) {
    // The value must read the same before and after the file is written again.
    for (const char* text : {"[S]\nkey=F5\r\r\nother=1\n", "[S]\r\nkey=F5\r\r\r\nother=1\r\n"}) {
        WriteFile(folder.Path("cr.ini"), text);
        Use("cr.ini", "S");
        EXPECT_EQ(ReadString("key", ""), "F5");
        PutInt("other", 2);
        FlushStore();
        EXPECT_EQ(ReadString("key", ""), "F5") << ReadFile(folder.Path("cr.ini"));
        SetStoreTarget("", nullptr);
    }
}

TEST_F(SettingsStoreTest, GetIntReadsALeadingSignedNumber) {
    WriteFile(folder.Path("n.ini"),
              "[S]\nmixed=12abc\nletters=abc\nnegative=-7\nplus=+5\nempty=\n"
              "spaced =  42  \nhuge=99999999999\ntiny=-99999999999\n");
    Use("n.ini", "S");
    struct Case {
        const char* key;
        int32_t expected;
    };
    for (Case c : {Case{"mixed", 12}, Case{"letters", 0}, Case{"negative", -7}, Case{"plus", 5},
                   Case{"empty", 0}, Case{"spaced", 42}, Case{"huge", INT32_MAX},
                   Case{"tiny", INT32_MIN}, Case{"missing", 77}}) {
        EXPECT_EQ(GetInt(c.key, 77), c.expected) << c.key;
    }
}

TEST_F(SettingsStoreTest, GetStringStopsAtTheBufferSize) {
    WriteFile(folder.Path("s.ini"), "[S]\nlist=abcdefghijklmnop\n");
    Use("s.ini", "S");
    EXPECT_EQ(ReadString("list", "", 11), "abcdefghij");
    EXPECT_EQ(ReadString("missing", "default text", 8), "default");
    EXPECT_EQ(ReadString("list", "", 1), "");
    EXPECT_EQ(GetString("list", "", nullptr, 10), 0u);
}

TEST_F(SettingsStoreTest, NamesMatchWithoutCaseAndTheFirstDuplicateWins) {
    WriteFile(folder.Path("c.ini"),
              "[1slownik]\n3pominwersaliki=0\n3PominWERSALIKI=1\n"
              "[1Slownik]\n4PominCYFRY=0\n");
    Use("c.ini", "1Slownik");
    EXPECT_EQ(GetInt("3PominWERSALIKI", 5), 0);
    EXPECT_EQ(GetInt("4PominCYFRY", 5), 5) << "a second section of the same name is not read";
    PutInt("3POMINWERSALIKI", 1);
    FlushStore();
    EXPECT_EQ(ReadFile(folder.Path("c.ini")),
              "[1slownik]\n3POMINWERSALIKI=1\n3PominWERSALIKI=1\n"
              "[1Slownik]\n4PominCYFRY=0\n");
}

TEST_F(SettingsStoreTest, DamagedFileReadsDefaultsAndKeepsItsBytesOnWrite) {
    std::string junk("\x00\xFF[\x01=\x02\n", 7);
    junk += std::string(1 << 20, 'x');  // a line of a megabyte, no line end
    junk += "\n[S\nkey=3\n";            // a header without its bracket still opens "S"
    WriteFile(folder.Path("j.ini"), junk);
    Use("j.ini", "S");
    EXPECT_EQ(GetInt("key", 0), 3);
    EXPECT_EQ(GetInt("other", 9), 9);
    SetStoreTarget(nullptr, "T");
    EXPECT_EQ(GetInt("key", 4), 4);
    PutInt("key", 5);
    FlushStore();
    EXPECT_EQ(ReadFile(folder.Path("j.ini")), junk + "\n[T]\nkey=5\n");
}

TEST_F(SettingsStoreTest, OversizedFileIsNeitherReadNorOverwritten) {
    std::string big = "[S]\nkey=1\n" + std::string(5 << 20, ';');
    WriteFile(folder.Path("big.ini"), big);
    Use("big.ini", "S");
    EXPECT_EQ(GetInt("key", 7), 7);
    PutInt("key", 2);
    SaveResult refused = FlushStore();  // the write is refused, and the flush says why
    EXPECT_EQ(refused.step, SaveStep::kTarget);
    EXPECT_EQ(refused.osError, EFBIG);
    EXPECT_EQ(ReadFile(folder.Path("big.ini")).size(), big.size());
}

TEST_F(SettingsStoreTest, PendingWritesAreReadBackAndReachTheFileAtFlushOrTargetChange) {
    Use("p.ini", "S");
    PutString("word", "kot");
    EXPECT_EQ(ReadString("word", ""), "kot");
    EXPECT_FALSE(std::filesystem::exists(folder.Path("p.ini")));
    Use("q.ini", "S");
    EXPECT_EQ(ReadFile(folder.Path("p.ini")), "[S]\nword=kot\n");
    EXPECT_EQ(ReadString("word", "none"), "none");
}

TEST_F(SettingsStoreTest, ValueWithLineBreaksStaysOnOneLine) {
    Use("v.ini", "S");
    PutString("list", "a\r\nb\nc");
    PutInt("next", 1);
    FlushStore();
    EXPECT_EQ(ReadFile(folder.Path("v.ini")), "[S]\nlist=a  b c\nnext=1\n");
}

// A write that cannot be saved is reported by the flush with the system's
// reason, and stays pending: reads see it, and the next flush tries again.
TEST_F(SettingsStoreTest, WriteIntoAFolderThatDoesNotExistIsReported) {
    Use("no/such/folder/x.ini", "S");
    PutInt("key", 1);
    SaveResult saved = FlushStore();
    EXPECT_FALSE(saved.Ok());
    EXPECT_EQ(saved.osError, ENOENT);
    EXPECT_EQ(GetInt("key", 6), 1);
    EXPECT_FALSE(FlushStore().Ok());
}

}  // namespace
}  // namespace tarnik
