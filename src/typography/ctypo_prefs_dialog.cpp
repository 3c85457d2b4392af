#include "typography/ctypo_prefs_dialog.h"

#include <string>

#include "platform/dialog_resources.h"
#include "typography/cdlg_typo_list.h"
#include "typography/typo_settings_store.h"
#include "typography/typography_state.h"

namespace tarnik {

namespace {

constexpr uint16_t kTypoPrefsDialog = 31120;

constexpr int16_t kQuotes = 1077;
constexpr int16_t kFirstQuotePair = 1001;  // 1001..1004: innerQuoteStyle 0..3
constexpr int16_t kGuessQuotes = 10001;
constexpr int16_t kQuoteSpaceFix = 10002;
constexpr int16_t kDashes = 1011;
constexpr int16_t kEmDashRadio = 1012;  // 1012, 1013: dashStyle 0, 1
constexpr int16_t kNbspAfterDashes = 10005;

// A check box and the flag it shows.
struct FlagControl {
    int16_t item;
    int16_t TypoSettings::*flag;
};

const FlagControl kFlags[] = {
    {kQuotes, &TypoSettings::fixQuotes},
    {kGuessQuotes, &TypoSettings::guessQuotes},
    {kQuoteSpaceFix, &TypoSettings::quoteSpaceFix},
    {kDashes, &TypoSettings::fixDashes},
    {kNbspAfterDashes, &TypoSettings::nbspAfterDashes},
    {1006, &TypoSettings::removeRepeatedSpaces},
    {1005, &TypoSettings::removeSpacesBefore},
    {1007, &TypoSettings::insertSpacesBefore},
    {1014, &TypoSettings::removeSpacesAfter},
    {1015, &TypoSettings::insertSpacesAfter},
    {1009, &TypoSettings::removeChars},
    {1098, &TypoSettings::nbspBeforeWords},
    {1084, &TypoSettings::nbspAfterWords},
    {1089, &TypoSettings::nbspAfterDigits},
    {10000, &TypoSettings::useSpaceExceptions},
    {10003, &TypoSettings::nbspBeforeDigits},
    {10004, &TypoSettings::nbspBeforeRoman},
};

// A character-list field, its list, its capacity and its "Default" button.
struct CharListControl {
    int16_t item;
    std::string TypoSettings::*list;
    std::size_t capacity;
    int16_t defaultButton;
};

const CharListControl kCharLists[] = {
    {1071, &TypoSettings::removeSpacesBeforeChars, kTypoCharListCapacity, 8},
    {1070, &TypoSettings::insertSpacesBeforeChars, kTypoCharListCapacity, 7},
    {1069, &TypoSettings::removeSpacesAfterChars, kTypoCharListCapacity, 6},
    {1068, &TypoSettings::insertSpacesAfterChars, kTypoCharListCapacity, 5},
    {1010, &TypoSettings::removeCharsList, kTypoRemoveListCapacity, 4},
};

// A word list's "Edit" and "Default" buttons.
struct WordListControl {
    TypoListSelector selector;
    int16_t editButton;
    int16_t defaultButton;
    TypoWordList TypoSettings::*list;
};

const WordListControl kWordLists[] = {
    {kListAfterDigits, 1088, 1086, &TypoSettings::afterDigitsList},
    {kListAfterWords, 1087, 1085, &TypoSettings::afterWordsList},
    {kListBeforeWords, 1100, 1099, &TypoSettings::beforeWordsList},
    {kListSpaceExceptions, 1091, 1090, &TypoSettings::spaceExceptionsList},
};

}  // namespace

CTypoPrefsDialog::CTypoPrefsDialog() : XT40xdlog(kTypoPrefsDialog) {}

void CTypoPrefsDialog::SetUp() {
    const TypoSettings& settings = Typography().settings;
    for (const FlagControl& control : kFlags)
        Item(control.item).SetChecked(settings.*control.flag != 0);
    for (const CharListControl& control : kCharLists)
        Item(control.item).SetText(settings.*control.list);
    Item(static_cast<int16_t>(kFirstQuotePair + settings.innerQuoteStyle)).ChooseRadio();
    Item(static_cast<int16_t>(kEmDashRadio + settings.dashStyle)).ChooseRadio();
    UpdateEnabling();
}

void CTypoPrefsDialog::UpdateEnabling() {
    bool quotes = Item(kQuotes).IsChecked();
    for (int16_t item = kFirstQuotePair; item < kFirstQuotePair + 4; ++item)
        Item(item).Enable(quotes);
    bool guessing = quotes && Item(kFirstQuotePair).ChosenRadio() == kFirstQuotePair;
    Item(kGuessQuotes).Enable(guessing);
    Item(kQuoteSpaceFix).Enable(guessing);
    bool dashes = Item(kDashes).IsChecked();
    for (int16_t item : {kEmDashRadio, static_cast<int16_t>(kEmDashRadio + 1), kNbspAfterDashes})
        Item(item).Enable(dashes);
}

void CTypoPrefsDialog::TakeControls() {
    TypoSettings& settings = Typography().settings;
    for (const FlagControl& control : kFlags)
        settings.*control.flag = Item(control.item).IsChecked() ? 1 : 0;
    for (const CharListControl& control : kCharLists)
        settings.*control.list = Item(control.item).Text().substr(0, control.capacity);
    int16_t quotePair = Item(kFirstQuotePair).ChosenRadio();
    if (quotePair >= kFirstQuotePair && quotePair < kFirstQuotePair + 4)
        settings.innerQuoteStyle = static_cast<int16_t>(quotePair - kFirstQuotePair);
    int16_t dash = Item(kEmDashRadio).ChosenRadio();
    if (dash == kEmDashRadio || dash == kEmDashRadio + 1)
        settings.dashStyle = static_cast<int16_t>(dash - kEmDashRadio);
}

void CTypoPrefsDialog::ItemHit(int16_t item, int16_t listAction) {
    if (item == kQuotes || item == kDashes ||
        (item >= kFirstQuotePair && item < kFirstQuotePair + 4)) {
        UpdateEnabling();
        return;
    }
    const TypoSettings defaults;
    for (const CharListControl& control : kCharLists) {
        if (item == control.defaultButton) {
            Item(control.item).SetText(defaults.*control.list);
            return;
        }
    }
    for (const WordListControl& control : kWordLists) {
        if (item == control.defaultButton) {
            Typography().settings.*control.list = defaults.*control.list;
            return;
        }
        if (item == control.editButton) {
            Typography().listSelector = control.selector;
            CdlgTypoList().RunModal();
            return;
        }
    }
    if (item == kOkItem) {
        TakeControls();
        TypoSettingsSave();
    }
    XT40xdlog::ItemHit(item, listAction);
}

void ShowTypoPreferences() {
    TypoSettingsLoad();
    CTypoPrefsDialog().RunModal();
}

}  // namespace tarnik
