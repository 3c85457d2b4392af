#include "platform/log_file.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "temp_folder.h"

namespace tarnik {
namespace {

using testing::ReadFile;
using testing::TempFolder;

// True when `text` has the shape "YYYY-MM-DD hh:mm:ss: " (9 standing for a digit).
bool IsTimeStamp(const std::string& text) {
    const std::string shape = "9999-99-99 99:99:99: ";
    if (text.size() != shape.size())
        return false;
    for (std::size_t i = 0; i < shape.size(); ++i) {
        bool digit = std::isdigit(static_cast<unsigned char>(text[i]));
        if (shape[i] == '9' ? !digit : text[i] != shape[i])
            return false;
    }
    return true;
}

TEST(LogFileTest, OnlyForcedLinesAppearAtLevelZero) {
    TempFolder folder;
    SetLogFile(folder.Path("Tarnik11.log"));
    SetLogLevel(0);
    WriteLogLine("not written %d", 1);
    WriteForcedLogLine("copy failed: '%s'", "/a/b.ini");
    WriteForcedLogLine("\tcontinued");
    EXPECT_EQ(GetLogLevel(), 0) << "the level comes back after a forced line";
    std::string log = ReadFile(folder.Path("Tarnik11.log"));
    ASSERT_GT(log.size(), 21u) << log;
    EXPECT_TRUE(IsTimeStamp(log.substr(0, 21))) << log;
    EXPECT_EQ(log.substr(21), "copy failed: '/a/b.ini'\r\n\tcontinued\r\n");
}

TEST(LogFileTest, NonZeroLevelWritesEveryLineAndAnUnopenableFileLosesIt) {
    TempFolder folder;
    SetLogFile(folder.Path("x.log"));
    SetLogLevel(1);
    WriteLogLine("\tone");
    WriteLogLine("\ttwo");
    EXPECT_EQ(ReadFile(folder.Path("x.log")), "\tone\r\n\ttwo\r\n");
    SetLogFile(folder.Path("missing/x.log"), folder.Path("fallback.log"));
    WriteForcedLogLine("\tto the fallback");
    EXPECT_EQ(ReadFile(folder.Path("fallback.log")), "\tto the fallback\r\n");
    SetLogFile(folder.Path("missing/x.log"));
    WriteForcedLogLine("lost");
    EXPECT_FALSE(std::filesystem::exists(folder.Path("missing")));
}

}  // namespace
}  // namespace tarnik
