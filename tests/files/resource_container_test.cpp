#include "files/resource_container.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "file_fixture.h"
#include "files/checksum_trailer.h"
#include "tools/container/container_writer.h"

namespace tarnik {
namespace {

class ResourceContainerTest : public ::testing::Test {
  protected:
    ContainerHandle Open(const tools::ContainerWriter& writer) {
        writer.Write(path_);
        handle_ = reader_.Open(path_);
        return handle_;
    }

    testing::TempDir dir_;
    std::string path_ = dir_.Path("test.dat");
    ResourceContainer reader_;
    ContainerHandle handle_ = 0;
};

TEST_F(ResourceContainerTest, FetchesByNumberNameAndPosition) {
    tools::ContainerWriter writer;
    writer.Add("HYPd", 7, {1, 2, 3}, "wzorce");
    writer.Add("HYPd", 8, {4}, "abcdefghijklmnopqr");  // 18 characters
    writer.Add("szli", 1, {5, 6});
    writer.Add("HYPd", 7, {9});  // same type and number as the first
    writer.SetDataArea({42, 43});
    ASSERT_NE(Open(writer), 0);
    EXPECT_EQ(reader_.GetByNumber("HYPd", 7), (Bytes{1, 2, 3}));
    EXPECT_EQ(reader_.GetByName("HYPd", "abcdefghijklmnopqr"), (Bytes{4}));
    EXPECT_EQ(reader_.GetByName("HYPd", "abcdefghijklmnopq"), std::nullopt);  // length counts
    EXPECT_EQ(reader_.Count("HYPd"), 3);
    EXPECT_EQ(reader_.GetNth("HYPd", 2), (Bytes{4}));
    EXPECT_EQ(reader_.GetNth("HYPd", 3), (Bytes{1, 2, 3}));  // the earlier slot wins
    EXPECT_EQ(reader_.GetNth("HYPd", 4), std::nullopt);
    uint8_t data[2];
    ASSERT_TRUE(reader_.OpenDataArea());
    ASSERT_TRUE(reader_.ReadRaw(handle_, 2, data));
    EXPECT_EQ(data[0], 42);
    EXPECT_FALSE(reader_.ReadRaw(handle_, 1, data));
}

TEST_F(ResourceContainerTest, OnlySlotsBeforeTheFirstUnusedOneExist) {
    tools::ContainerWriter writer;
    writer.Add("szli", 1, {1});
    writer.Add("szli", 2, {2});
    tools::Bytes bytes = writer.Build();
    // Mark the second slot unused: the index then ends after the first.
    for (int i = 0; i < 4; ++i)
        bytes[12 + 34 + 8 + i] = 0;
    tools::Reseal(bytes);
    testing::WriteFile(path_, bytes);
    handle_ = reader_.Open(path_);
    ASSERT_NE(handle_, 0);
    EXPECT_EQ(reader_.Count("szli"), 1);
    int16_t before = reader_.LastError();
    EXPECT_EQ(reader_.GetByNumber("szli", 2), std::nullopt);
    EXPECT_EQ(reader_.LastError(), before);  // a miss with unused slots records nothing
}

TEST_F(ResourceContainerTest, ReportsEveryErrorNumber) {
    // Opening.
    EXPECT_EQ(reader_.Open(dir_.Path("absent")), 0);
    EXPECT_EQ(reader_.LastError(), kContainerCannotOpen);
    tools::Bytes cut = {0, 0, 0, 12, 0, 0};
    tools::AppendChecksumTrailer(cut);
    testing::WriteFile(path_, cut);
    EXPECT_EQ(reader_.Open(path_), 0);
    EXPECT_EQ(reader_.LastError(), kContainerHeaderShort);
    tools::Bytes pastEnd = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // index end past the file
    tools::AppendChecksumTrailer(pastEnd);
    testing::WriteFile(path_, pastEnd);
    EXPECT_EQ(reader_.Open(path_), 0);
    EXPECT_EQ(reader_.LastError(), kContainerIndexShort);

    // Nothing open.
    EXPECT_EQ(reader_.GetByNumber("szli", 1), std::nullopt);
    EXPECT_EQ(reader_.LastError(), kContainerNotOpen);
    EXPECT_EQ(reader_.Count("szli"), 0);
    EXPECT_FALSE(reader_.OpenDataArea());
    EXPECT_EQ(reader_.LastError(), kContainerDataAreaNotOpen);
    EXPECT_EQ(reader_.Close(1), kContainerCloseNotOpen);

    // A container without a data area, every slot in use.
    tools::ContainerWriter writer;
    writer.Add("szli", 1, Bytes(10000, 1));
    writer.Add("BAZA", 2, Bytes(10000, 2), "lodmiany");
    ASSERT_NE(Open(writer), 0);
    EXPECT_FALSE(reader_.OpenDataArea());
    EXPECT_EQ(reader_.LastError(), kContainerNoDataArea);
    EXPECT_EQ(reader_.GetByNumber("szli", 9), std::nullopt);
    EXPECT_EQ(reader_.LastError(), kContainerResourceNotFound);
    EXPECT_EQ(reader_.Close(handle_ + 1), kContainerWrongHandle);

    // The file shrinks under the open container: the reads come up short.
    std::filesystem::resize_file(path_, 5000);
    EXPECT_EQ(reader_.GetByNumber("szli", 1), std::nullopt);
    EXPECT_EQ(reader_.LastError(), kContainerResourceShort);
    EXPECT_EQ(reader_.GetByName("BAZA", "lodmiany"), std::nullopt);
    EXPECT_EQ(reader_.LastError(), kContainerHeaderShort);
}

TEST_F(ResourceContainerTest, ResourcesPastTheEndOfTheFileAreRefused) {
    tools::ContainerWriter writer;
    writer.Add("szli", 1, {1, 2, 3, 4});
    writer.Add("BAZA", 2, {5, 6}, "lodmiany");
    tools::Bytes bytes = writer.Build();
    bytes[12 + 4] = 0x7F;       // first slot: a size of about 2 GB
    bytes[12 + 34 + 8] = 0x40;  // second slot: an offset of about 1 GB
    tools::Reseal(bytes);
    testing::WriteFile(path_, bytes);
    handle_ = reader_.Open(path_);
    ASSERT_NE(handle_, 0);
    EXPECT_EQ(reader_.GetByNumber("szli", 1), std::nullopt);
    EXPECT_EQ(reader_.LastError(), kContainerResourcePastEnd);
    EXPECT_EQ(reader_.GetByName("BAZA", "lodmiany"), std::nullopt);
    EXPECT_EQ(reader_.LastError(), kContainerHeaderShort);
    uint8_t byte;
    size_t contents = bytes.size() - kChecksumTrailerSize;  // the trailer is not addressed
    EXPECT_FALSE(reader_.ReadAt(handle_, contents, 1, &byte));
    EXPECT_TRUE(reader_.ReadAt(handle_, contents - 1, 1, &byte));
}

}  // namespace
}  // namespace tarnik
