#include "spellcheck/cdict_miss_dialog.h"

#include "platform/dialog_resources.h"
#include "platform/host_api.h"
#include "platform/show_message.h"
#include "platform/shown_text.h"
#include "spellcheck/cdict_prefs_dialog.h"
#include "spellcheck/check_walk.h"
#include "spellcheck/spell_dictionaries.h"
#include "spellcheck/speller_answers.h"
#include "text/story_text.h"
#include "text/word_scanner.h"

namespace tarnik {

namespace {

constexpr char kReplacementTooLong[] =
    "The word was not changed: the text in Change To is longer than 255 characters.";
static_assert(kMaxReplacement == 255, "the message names the limit");
constexpr char kReplacementRefused[] = "The word was not changed: the text cannot be edited.";

}  // namespace

CDictMissDialog::CDictMissDialog() : XT40xdlog(kResource) {}

void CDictMissDialog::SetUp() {
    ShowWord();
    SuggestInto(SpellCheck().misspelt);
}

void CDictMissDialog::ShowWord() {
    const SpellCheckState& state = SpellCheck();
    // The word and "Change To" carry the story's own characters: a letter that
    // cp1250 lacks is shown, and written back, as it is.
    Item(kWordItem).SetUnicodeText(state.misspeltUnits);
    Item(kChangeToItem).SetUnicodeText(state.replacement);
    UpdateButtons();
    ShowTextRange(state.wordStart, state.wordEnd);
}

void CDictMissDialog::ShowSuggestions() {
    XT40xdlogitem list = Item(kSuggestionsItem);
    list.ClearRows();
    for (const std::string& word : SpellCheck().suggestions)
        list.AppendRow(word);
    list.Enable(list.RowCount() > 0);
}

void CDictMissDialog::SuggestInto(const std::string& text) {
    SpellCheckState& state = SpellCheck();
    // No word of the dictionaries is longer: nothing to suggest.
    if (text.size() > kMaxShownWord) {
        state.suggestions.clear();
        ShowSuggestions();
        return;
    }
    if (WordPasses(text, false)) {
        state.suggestions.clear();
        XT40xdlogitem list = Item(kSuggestionsItem);
        list.ClearRows();
        list.AppendRow(ShownText("Word is spelled correctly"));
        list.Enable(false);
        return;
    }
    state.suggestions = DialogSuggestions(text);
    ShowSuggestions();
}

void CDictMissDialog::UpdateButtons() {
    const SpellCheckState& state = SpellCheck();
    bool hasText = !Item(kChangeToItem).UnicodeText().empty();
    Item(kChangeItem).Enable(hasText);
    Item(kChangeAllItem).Enable(hasText);
    Item(kAddItem).Enable(state.settings.useUserDictionary && state.user != nullptr);
}

void CDictMissDialog::Continue() {
    if (WalkToNextError()) {
        ShowWord();
        ShowSuggestions();
        SpellCheck().done = false;
        return;
    }
    ShowMessage(XT_MB_OK, 0, "", "%s", ShownText("No more errors."));
    Stop(kOkItem);
}

void CDictMissDialog::Stop(int16_t item) {
    SpellCheck().done = true;
    Host().SetTextUpdateMode(1);
    EndDialog(item);
}

void CDictMissDialog::ChangeWord(bool all) {
    SpellCheckState& state = SpellCheck();
    std::u16string text = Item(kChangeToItem).UnicodeText();
    if (text.empty())
        return;
    // A text the story cannot take leaves the dialog at the word, and the user is
    // told why: without a word the same word would simply come back.
    if (text.size() > static_cast<size_t>(kMaxReplacement)) {
        ShowMessage(XT_MB_OK, 0, "", "%s", ShownText(kReplacementTooLong));
        return;
    }
    if (!ReplaceMisspelt(text)) {
        ShowMessage(XT_MB_OK, 0, "", "%s", ShownText(kReplacementRefused));
        return;
    }
    if (all)
        Scanner().ReplaceAdd(state.misspeltUnits, text);
    Continue();
}

void CDictMissDialog::AddWord() {
    SpellCheckState& state = SpellCheck();
    // A word the user dictionary cannot hold as it is (a letter of another
    // script, a digit, too long) is refused with the reason, and the dialog stays
    // at it: storing a cut form would leave the word itself flagged.
    std::string stored;
    if (const char* why = UserWordRefusal(state.misspeltUnits, stored)) {
        ShowMessage(XT_MB_OK, 0, "", "%s", ShownText(why));
        return;
    }
    if (UserDictAddWord(state.user, stored) != kUserDictOk)
        ReportUnsavedChange("Can't add the word to the user dictionary.");
    Continue();
}

void CDictMissDialog::ItemHit(int16_t item, int16_t listAction) {
    SpellCheckState& state = SpellCheck();
    switch (item) {
        case kIgnoreItem:
            Continue();
            return;
        case kIgnoreAllItem:
            Scanner().IgnoreAdd(state.misspeltUnits);
            Continue();
            return;
        case kChangeItem:
        case kChangeAllItem:
            ChangeWord(item == kChangeAllItem);
            return;
        case kAddItem:
            AddWord();
            return;
        case kSuggestItem: {
            std::string text = Item(kChangeToItem).Text();
            SuggestInto(Item(kChangeToItem).UnicodeText().empty() ? state.misspelt : text);
            return;
        }
        case kOptionsItem:
            CDictPrefsDialog().RunModal();
            state.settings = LoadDictSettings();
            UpdateButtons();
            ShowTextRange(state.wordStart, state.wordEnd);
            return;
        case kWordItem:
            Item(kChangeToItem).SetUnicodeText(state.misspeltUnits);
            UpdateButtons();
            return;
        case kChangeToItem:
            UpdateButtons();
            return;
        case kSuggestionsItem: {
            XT40xdlogitem list = Item(kSuggestionsItem);
            int32_t row = list.ChosenRow();
            if (row < 0 || static_cast<size_t>(row) >= state.suggestions.size())
                return;
            Item(kChangeToItem).SetText(list.Row(row));
            UpdateButtons();
            if (listAction == XT_LIST_ACTIVATED)
                ChangeWord(false);
            return;
        }
        case kOkItem:
        case kCancelItem:
            Stop(item);
            return;
        default:
            return;
    }
}

}  // namespace tarnik
