#include "platform/log_file.h"

#include <gtest/gtest.h>

#include <regex>

#include "temp_folder.h"

namespace tarnik {
namespace {

using testing::ReadFile;
using testing::TempFolder;

TEST(LogFileTest, OnlyForcedLinesAppearAtLevelZero) {
    TempFolder folder;
    SetLogFile(folder.Path("Tarnik11.log"));
    SetLogLevel(0);
    WriteLogLine("not written %d", 1);
    WriteForcedLogLine("copy failed: '%s'", "/a/b.ini");
    WriteForcedLogLine("\tcontinued");
    EXPECT_EQ(GetLogLevel(), 0) << "the level comes back after a forced line";
    std::string log = ReadFile(folder.Path("Tarnik11.log"));
    EXPECT_TRUE(std::regex_match(log, std::regex("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d: "
                                                 "copy failed: '/a/b.ini'\r\n\tcontinued\r\n")))
        << log;
}

TEST(LogFileTest, NonZeroLevelWritesEveryLineAndAnUnopenableFileLosesIt) {
    TempFolder folder;
    SetLogFile(folder.Path("x.log"));
    SetLogLevel(1);
    WriteLogLine("\tone");
    WriteLogLine("\ttwo");
    EXPECT_EQ(ReadFile(folder.Path("x.log")), "\tone\r\n\ttwo\r\n");
    SetLogFile(folder.Path("missing/x.log"));
    WriteForcedLogLine("lost");
    EXPECT_FALSE(std::filesystem::exists(folder.Path("missing")));
}

}  // namespace
}  // namespace tarnik
