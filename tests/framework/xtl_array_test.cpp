#include "framework/xtl_array.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

namespace tarnik {
namespace {

std::vector<int32_t> Contents(const XTLArray& array) {
    std::vector<int32_t> values;
    for (int32_t position = 1; position <= array.Count(); ++position) {
        int32_t value = 0;
        EXPECT_TRUE(array.Read(position, &value));
        values.push_back(value);
    }
    return values;
}

TEST(XTLArrayTest, InsertInOrderKeepsSignedOrderAndFindsByBinarySearch) {
    XTLArray array(sizeof(int32_t), true);
    for (int32_t value : {5, -1, 7, 5, -300, 0})
        array.Insert(&value);
    // A 4-byte element gets the signed 32-bit comparator: -1 is not 0xFFFFFFFF.
    EXPECT_EQ(Contents(array), (std::vector<int32_t>{-300, -1, 0, 5, 5, 7}));
    EXPECT_TRUE(array.IsSorted());
    struct Case {
        int32_t value;
        int32_t position;
    };
    for (Case c : {Case{-300, 1}, Case{5, 4}, Case{7, 6}, Case{6, 0}, Case{-2, 0}}) {
        EXPECT_EQ(array.Find(&c.value), c.position) << c.value;
    }
}

TEST(XTLArrayTest, InsertReturnsThePositionAfterEqualElements) {
    XTLArray array(sizeof(int32_t), true);
    int32_t values[] = {1, 3, 3};
    for (int32_t& value : values)
        array.Insert(&value);
    int32_t three = 3;
    EXPECT_EQ(array.Insert(&three), 4);
    int32_t two = 2;
    EXPECT_EQ(array.Insert(&two), 2);
}

TEST(XTLArrayTest, AppendingOutOfOrderClearsSortedAndFindStillWorks) {
    XTLArray array(sizeof(int32_t), false);
    for (int32_t value : {1, 2, 9})
        array.Insert(&value);
    EXPECT_TRUE(array.IsSorted()) << "appends in order keep the order";
    int32_t four = 4;
    EXPECT_EQ(array.Insert(&four), 4);
    EXPECT_FALSE(array.IsSorted());
    EXPECT_EQ(Contents(array), (std::vector<int32_t>{1, 2, 9, 4}));
    EXPECT_EQ(array.Find(&four), 4);
    int32_t one = 1;
    EXPECT_EQ(array.Find(&one), 1);
}

TEST(XTLArrayTest, ReplaceThatBreaksTheOrderSwitchesToLinearSearch) {
    XTLArray array(sizeof(int32_t), true);
    for (int32_t value : {10, 20, 30, 40})
        array.Insert(&value);
    int32_t early = 5;
    ASSERT_TRUE(array.Replace(3, &early));
    EXPECT_FALSE(array.IsSorted());
    // A binary search over 10 20 5 40 would miss 5.
    EXPECT_EQ(array.Find(&early), 3);
    // Once the order is lost, in-order inserts append.
    int32_t fifteen = 15;
    EXPECT_EQ(array.Insert(&fifteen), 5);
    EXPECT_EQ(array.Find(&fifteen), 5);
}

TEST(XTLArrayTest, ReplaceInPlaceKeepsSorted) {
    XTLArray array(sizeof(int32_t), true);
    for (int32_t value : {10, 20, 30})
        array.Insert(&value);
    int32_t same = 25;
    ASSERT_TRUE(array.Replace(2, &same));
    EXPECT_TRUE(array.IsSorted());
}

TEST(XTLArrayTest, PositionsAreOneBasedAndLastNamesTheLastElement) {
    XTLArray array(sizeof(int32_t), false);
    int32_t out = 99;
    EXPECT_FALSE(array.Read(kXTLLast, &out)) << "empty array has no last element";
    for (int32_t value : {4, 8, 6})
        array.Insert(&value);
    struct Case {
        int32_t position;
        bool found;
        int32_t value;
    };
    for (Case c : {Case{1, true, 4}, Case{3, true, 6}, Case{kXTLLast, true, 6}, Case{0, false, 0},
                   Case{4, false, 0}, Case{-1, false, 0}}) {
        out = 0;
        EXPECT_EQ(array.Read(c.position, &out), c.found) << c.position;
        EXPECT_EQ(out, c.value) << c.position;
    }
    int32_t nine = 9;
    EXPECT_TRUE(array.Replace(kXTLLast, &nine));
    EXPECT_FALSE(array.Replace(4, &nine));
    EXPECT_EQ(Contents(array), (std::vector<int32_t>{4, 8, 9}));
}

TEST(XTLArrayTest, OtherElementSizesCompareBytesUnsigned) {
    using Triple = std::array<uint8_t, 3>;
    XTLArray array(sizeof(Triple), true);
    for (Triple t : {Triple{0xFF, 0, 0}, Triple{0x01, 2, 3}, Triple{0x01, 2, 0}})
        array.Insert(&t);
    Triple first{};
    Triple last{};
    ASSERT_TRUE(array.Read(1, &first));
    ASSERT_TRUE(array.Read(kXTLLast, &last));
    EXPECT_EQ(first, (Triple{0x01, 2, 0}));
    EXPECT_EQ(last, (Triple{0xFF, 0, 0}));
}

TEST(XTLArrayTest, LongComparatorOrdersRecordsByTheirLeadingKey) {
    struct Record {
        int32_t key;
        uint16_t payload;
    };
    XTLArray array(sizeof(Record), true, std::make_unique<XTLLongComparator>(sizeof(Record)));
    for (Record r : {Record{7, 1}, Record{-2, 2}, Record{3, 3}})
        array.Insert(&r);
    Record probe{3, 999};
    EXPECT_EQ(array.Find(&probe), 2) << "only the key takes part in the comparison";
}

}  // namespace
}  // namespace tarnik
