#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "files/checksum_trailer.h"
#include "files/resource_container.h"
#include "tools/container/container_writer.h"
#include "tools/container/double_array.h"

namespace tarnik {
namespace {

using tools::ContainerWriter;

// A scratch file named per process, so that test programs running at once never
// share one; removed when the test ends.
class ScratchFile {
  public:
    explicit ScratchFile(const std::string& name)
        : path_(::testing::TempDir() + "/" + std::to_string(getpid()) + "-" + name) {}
    ~ScratchFile() { std::remove(path_.c_str()); }
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;
    operator const std::string&() const { return path_; }

  private:
    std::string path_;
};

TEST(ContainerRoundTrip, ResourcesAreFoundByNumberNameAndPosition) {
    ResourceContainer reader;
    ContainerWriter writer;
    writer.Add("szli", 1, {1, 2, 3});
    writer.Add("BAZA", 7, {9}, "lodmiany");
    writer.Add("szli", 2, {4, 5});
    writer.Add("szli", 1, {6});  // same type and number as the first
    writer.Add("BAZA", 8, {}, "abcdefghijklmnopqr");
    writer.SetDataArea({42, 43});
    ScratchFile path("round_trip.dat");
    writer.Write(path);

    ContainerHandle handle = reader.Open(path);
    ASSERT_NE(handle, 0);
    EXPECT_EQ(reader.Count("szli"), 3);
    EXPECT_EQ(reader.GetByNumber("szli", 2), (Bytes{4, 5}));
    EXPECT_EQ(reader.GetByName("BAZA", "lodmiany"), (Bytes{9}));
    EXPECT_EQ(reader.GetByName("BAZA", "abcdefghijklmnopqr"), Bytes{});
    EXPECT_FALSE(reader.GetByName("BAZA", "lodmian"));
    // The third slot of the type shares type and number with the first: the first wins.
    EXPECT_EQ(reader.GetNth("szli", 3), (Bytes{1, 2, 3}));
    ASSERT_TRUE(reader.OpenDataArea());
    uint8_t area[2] = {};
    ASSERT_TRUE(reader.ReadRaw(handle, 2, area));
    EXPECT_EQ(area[1], 43);
    EXPECT_EQ(reader.Close(handle + 1), kContainerWrongHandle);
    EXPECT_EQ(reader.Close(handle), 0);
    EXPECT_EQ(reader.Close(handle), kContainerCloseNotOpen);
}

TEST(ContainerRoundTrip, UnusedSlotEndsTheIndexAndMissesKeepTheLastError) {
    ResourceContainer reader;
    ContainerWriter writer;
    writer.Add("HYPd", 100, {1});
    writer.SetSpareSlots(2);
    ScratchFile path("spare.dat");
    writer.Write(path);
    ContainerHandle handle = reader.Open(path);
    ASSERT_NE(handle, 0);
    reader.Close(handle + 1);  // leaves a last error behind
    EXPECT_FALSE(reader.GetByNumber("HYPd", 101));
    // A miss in an index with unused slots records nothing.
    EXPECT_EQ(reader.LastError(), kContainerWrongHandle);
    EXPECT_FALSE(reader.OpenDataArea());
    EXPECT_EQ(reader.LastError(), kContainerNoDataArea);
    reader.Close(handle);
}

TEST(ContainerRoundTrip, MissInAFullIndexAndDamagedFilesReportErrors) {
    ResourceContainer reader;
    ContainerWriter writer;
    writer.Add("HYPd", 100, {1, 2, 3, 4});
    ScratchFile path("full.dat");
    writer.Write(path);
    ContainerHandle handle = reader.Open(path);
    ASSERT_NE(handle, 0);
    EXPECT_FALSE(reader.GetByNumber("HYPd", 101));
    EXPECT_EQ(reader.LastError(), kContainerResourceNotFound);
    reader.Close(handle);

    // Cut the last two bytes before the trailer and seal again: the resource now
    // lies past the end of what the file holds.
    Bytes bytes = writer.Build();
    bytes.resize(bytes.size() - kChecksumTrailerSize - 2);
    tools::AppendChecksumTrailer(bytes);
    ScratchFile cut("cut.dat");
    std::ofstream(cut, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    handle = reader.Open(cut);
    ASSERT_NE(handle, 0);
    EXPECT_FALSE(reader.GetByNumber("HYPd", 100));
    EXPECT_EQ(reader.LastError(), kContainerResourcePastEnd);
    reader.Close(handle);

    bytes.resize(20);  // the index is cut
    tools::AppendChecksumTrailer(bytes);
    std::ofstream(cut, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    EXPECT_EQ(reader.Open(cut), 0);
    EXPECT_EQ(reader.LastError(), kContainerIndexShort);
    EXPECT_EQ(reader.Open(ScratchFile("missing.dat")), 0);
    EXPECT_EQ(reader.LastError(), kContainerCannotOpen);
}

// Walks a word through packed arrays as the dictionary lookups do.
bool Accepts(const tools::DoubleArray& array, const std::vector<uint8_t>& word) {
    uint32_t s = word[0];
    if (s >= array.check.size() || array.check[s] != word[0])
        return false;
    for (size_t i = 1; i < word.size(); ++i) {
        s = (array.base[s] + word[i]) % 65536;
        if (s >= array.check.size() || array.check[s] != word[i])
            return false;
    }
    return true;
}

TEST(DoubleArray, PackedAutomatonAcceptsExactlyItsWords) {
    std::vector<std::vector<uint8_t>> words = {{44, 92, 1},  {44, 92, 92, 1},
                                               {46, 92, 1},  {46, 100, 92, 1},
                                               {100, 92, 1}, {100, 100, 92, 1}};
    tools::Automaton automaton = tools::BuildMinimalAutomaton(words);
    // The tails "a<end>" and "da<end>" are shared between the three first letters.
    EXPECT_LT(automaton.states.size(), 10u);
    tools::DoubleArray array = tools::PackDoubleArray(automaton);
    for (const auto& word : words)
        EXPECT_TRUE(Accepts(array, word));
    for (const std::vector<uint8_t>& word : std::vector<std::vector<uint8_t>>{
             {44, 1}, {44, 92, 92, 92, 1}, {46, 92, 92, 1}, {92, 1}, {100, 100, 1}}) {
        EXPECT_FALSE(Accepts(array, word));
    }
}

TEST(DoubleArray, RefusesUnsortedInputAndOverfullLayouts) {
    EXPECT_THROW(tools::BuildMinimalAutomaton({{46, 1}, {44, 1}}), std::invalid_argument);
    EXPECT_THROW(tools::BuildMinimalAutomaton({{44, 1}, {44, 1}}), std::invalid_argument);
    std::vector<std::vector<uint8_t>> many;
    for (int a = 44; a < 127; ++a)
        for (int b = 44; b < 127; ++b)
            many.push_back({uint8_t(a), uint8_t(b), uint8_t(a), 1});
    EXPECT_THROW(tools::PackDoubleArray(tools::BuildMinimalAutomaton(many), 300),
                 std::length_error);
}

}  // namespace
}  // namespace tarnik
