#include "platform/dialog_resources.h"

#include <gtest/gtest.h>

#include <set>

#include "shown_text.h"

namespace tarnik {
namespace {

using testing::Shown;

std::string ShownItemText(uint16_t dialog, uint16_t item) {
    const DialogTemplate* found = FindDialogTemplate(dialog);
    if (found == nullptr)
        return "<no dialog>";
    const DialogItemTemplate* entry = found->FindItem(item);
    return entry ? Shown(entry->text) : "<no item>";
}

TEST(DialogResourcesTest, EveryTemplateIsWellFormed) {
    for (const DialogTemplate& dialog : AllDialogTemplates()) {
        std::set<uint16_t> numbers;
        int defaults = 0;
        for (const DialogItemTemplate& item : dialog.items) {
            if (item.number != kUnnumberedItem) {
                EXPECT_TRUE(numbers.insert(item.number).second)
                    << dialog.number << " repeats item " << item.number;
            }
            defaults += item.isDefault;
            EXPECT_EQ(item.radioGroup != 0, item.kind == DialogItemKind::kRadioButton)
                << dialog.number << " item " << item.number;
        }
        EXPECT_LE(defaults, 1) << dialog.number;
        EXPECT_TRUE(numbers.count(kOkItem) || numbers.count(kCancelItem))
            << dialog.number << " cannot be closed";
    }
}

TEST(DialogResourcesTest, PolishTwinsHoldTheSameItemsInPolish) {
    int twins = 0;
    for (const DialogTemplate& english : AllDialogTemplates()) {
        const DialogTemplate* polish = FindDialogTemplate(english.number + 100);
        if (english.number >= 31200 || polish == nullptr)
            continue;
        ++twins;
        ASSERT_EQ(english.items.size(), polish->items.size()) << english.number;
        for (std::size_t i = 0; i < english.items.size(); ++i) {
            const DialogItemTemplate& e = english.items[i];
            const DialogItemTemplate& p = polish->items[i];
            EXPECT_EQ(e.number, p.number);
            EXPECT_EQ(e.kind, p.kind);
            EXPECT_EQ(e.isDefault, p.isDefault);
            EXPECT_EQ(e.radioGroup, p.radioGroup);
            EXPECT_EQ(e.maxLength, p.maxLength);
            EXPECT_EQ(e.text.empty(), p.text.empty()) << english.number << " item " << e.number;
        }
    }
    EXPECT_EQ(twins, 12);
    EXPECT_EQ(FindDialogTemplate(31114), nullptr);
    EXPECT_EQ(FindDialogTemplate(31214), nullptr);
    EXPECT_EQ(FindDialogTemplate(30101), nullptr);
}

TEST(DialogResourcesTest, TextsAndRolesAsTheDialogsUseThem) {
    struct Case {
        uint16_t dialog;
        uint16_t item;
        const char* text;
    };
    for (Case c :
         {Case{31120, 1001, "Quotation „Hamlet”"}, Case{31220, 1004, "Cudzysłów typu »Hamlet«"},
          Case{31220, 1013, "półpauza"}, Case{31220, 1099, "Domyślne"},
          Case{31203, 1016, "Nie dziel wyrazów typu PeKaO"}, Case{31202, 2, "Anuluj"},
          Case{31208, 1058, "Sugeruj poprawki"}, Case{31219, 1082, "Zmień"},
          Case{31211, 1, "Kontynuuj"}, Case{31218, kYesItem, "Tak"}, Case{31118, kNoItem, "No"}}) {
        EXPECT_EQ(ShownItemText(c.dialog, c.item), c.text) << c.dialog << " item " << c.item;
    }
    EXPECT_EQ(Shown(FindDialogTemplate(31219)->title), "Edycja listy");
    EXPECT_EQ(Shown(FindDialogTemplate(kAboutDialog)->title), "O rozszerzeniu");

    const DialogTemplate& typography = *FindDialogTemplate(31120);
    EXPECT_EQ(typography.FindItem(1003)->radioGroup, typography.FindItem(1001)->radioGroup);
    EXPECT_NE(typography.FindItem(1012)->radioGroup, typography.FindItem(1001)->radioGroup);
    EXPECT_EQ(typography.FindItem(1010)->maxLength, 100);
    EXPECT_EQ(typography.FindItem(1071)->maxLength, 255);
    EXPECT_TRUE(FindDialogTemplate(31111)->FindItem(1)->isDefault);
    EXPECT_TRUE(FindDialogTemplate(31119)->FindItem(1)->isDefault);
    EXPECT_EQ(FindDialogTemplate(31111)->FindItem(1054)->kind, DialogItemKind::kListBox);
}

}  // namespace
}  // namespace tarnik
