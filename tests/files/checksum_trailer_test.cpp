#include "files/checksum_trailer.h"

#include <gtest/gtest.h>

#include <string>

namespace tarnik {
namespace {

// The CRC is the common CRC-32 (its check value), also when fed in pieces.
TEST(ChecksumTrailer, IsTheCommonCrc32InPiecesToo) {
    EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(Crc32("56789", Crc32("1234")), 0xCBF43926u);
    EXPECT_EQ(ChecksumTrailer("123456789"), "#TRNKSUM1 0000000000000009 cbf43926\n");
}

// A trailer is judged by the whole file: a sound one gives the contents, any
// change to them or to it is damage, and a file without one is left to its format.
TEST(ChecksumTrailer, JudgesTheWholeFile) {
    const std::string contents = "50 koty\n3 kota\n";
    const std::string sealed = contents + ChecksumTrailer(contents);
    struct Case {
        const char* name;
        std::string file;
        ChecksumVerdict verdict;
    };
    std::string changed = sealed, flipped = sealed, magic = sealed;
    changed[1] ^= 1;
    flipped[sealed.size() - 2] ^= 1;  // a digit of the CRC
    magic[contents.size() + 1] ^= 1;  // the trailer is no longer one
    const Case cases[] = {
        {"sound", sealed, ChecksumVerdict::kSound},
        {"contents changed", changed, ChecksumVerdict::kDamaged},
        {"trailer changed", flipped, ChecksumVerdict::kDamaged},
        {"cut by a byte", sealed.substr(1), ChecksumVerdict::kDamaged},
        {"no trailer", contents, ChecksumVerdict::kAbsent},
        {"magic changed", magic, ChecksumVerdict::kAbsent},
        {"empty", "", ChecksumVerdict::kAbsent},
    };
    for (const Case& c : cases) {
        std::string_view body;
        EXPECT_EQ(CheckTrailer(c.file, body), c.verdict) << c.name;
        EXPECT_EQ(body, c.verdict == ChecksumVerdict::kSound ? contents : c.file) << c.name;
    }
}

}  // namespace
}  // namespace tarnik
