#include "tools/dictc/form_kind.h"

#include <gtest/gtest.h>

namespace tarnik::tools {
namespace {

TEST(ClassifyForm, SortsFormsAsTheWordCheckSeesThem) {
    struct Case {
        std::u32string form;
        FormKind kind;
    };
    const Case cases[] = {
        {U"żółw", FormKind::kSmall},
        {U"Żółw", FormKind::kCapitalised},
        {U"ŻÓŁW", FormKind::kAllCapitals},
        {U"W", FormKind::kAllCapitals},
        {U"w", FormKind::kSmall},
        {U"McDonald", FormKind::kMixed},
        {U"tRNA", FormKind::kMixed},
        {U"k2", FormKind::kOutsideAlphabet},
        {U"café", FormKind::kOutsideAlphabet},  // é has a cp1250 byte but no letter code
        {U"d'Arc", FormKind::kOutsideAlphabet},
        {std::u32string(278, U'a'), FormKind::kSmall},
        {std::u32string(279, U'a'), FormKind::kTooLong},
    };
    std::string cp1250;
    for (const Case& c : cases)
        EXPECT_EQ(ClassifyForm(c.form, cp1250), c.kind) << c.form.size();
    ClassifyForm(U"żółw", cp1250);
    EXPECT_EQ(cp1250, "\xBF\xF3\xB3w");
}

}  // namespace
}  // namespace tarnik::tools
