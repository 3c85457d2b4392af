#include "platform/dialog_resources.h"

#include <algorithm>
#include <span>

#include "platform/stored_text.h"

namespace tarnik {

namespace {

using Kind = DialogItemKind;

// An item in both languages; texts in UTF-8, stored as x-mac-ce when the
// templates are built.
struct ItemSource {
    uint16_t number;
    Kind kind;
    const char* english;
    const char* polish;
    bool isDefault = false;
    uint16_t radioGroup = 0;
    uint16_t maxLength = 0;
};

constexpr ItemSource Button(uint16_t number, const char* english, const char* polish) {
    return {number, Kind::kButton, english, polish};
}
constexpr ItemSource DefaultButton(uint16_t number, const char* english, const char* polish) {
    return {number, Kind::kButton, english, polish, true};
}
constexpr ItemSource Check(uint16_t number, const char* english, const char* polish) {
    return {number, Kind::kCheckBox, english, polish};
}
constexpr ItemSource Radio(uint16_t number, uint16_t group, const char* english,
                           const char* polish) {
    return {number, Kind::kRadioButton, english, polish, false, group};
}
constexpr ItemSource Label(const char* english, const char* polish) {
    return {kUnnumberedItem, Kind::kStaticText, english, polish};
}
// A static text that the code fills in.
constexpr ItemSource Text(uint16_t number) {
    return {number, Kind::kStaticText, "", ""};
}
constexpr ItemSource Edit(uint16_t number, uint16_t maxLength) {
    return {number, Kind::kEditText, "", "", false, 0, maxLength};
}
constexpr ItemSource List(uint16_t number) {
    return {number, Kind::kListBox, "", ""};
}

constexpr ItemSource kOk = DefaultButton(1, "OK", "OK");
constexpr ItemSource kCancel = Button(2, "Cancel", "Anuluj");

constexpr ItemSource kAboutItems[] = {
    Text(kAboutNameItem),
    Label("Pisownia, dzielenie wyrazów i typografia polska", ""),
    Label("Słownik i wzorce dzielenia: hunspell-pl i hyphen-pl (Debian)", ""),
    kOk,
};

constexpr ItemSource kDictionaryPreferencesItems[] = {
    Check(1020, "Skip CAPITALIZED words", "Pomiń wyrazy pisane wersalikami"),
    Check(1021, "Skip words with numbers", "Pomiń wyrazy zawierające cyfry"),
    Check(1022, "Always Suggest", "Sugeruj poprawki"),
    Check(1023, "Use user dictionary", "Użyj słownika użytkownika"),
    Button(1024, "Edit User Dictionary", "Edycja słownika użytkownika"),
    Check(1025, "Rank suggestions by likelihood", "Sortuj sugestie według trafności"),
    kOk,
    kCancel,
};

constexpr ItemSource kHyphenationPreferencesItems[] = {
    Check(1014, "Use Typography First", "Najpierw zastosuj typografię"),
    Check(1015, "Don't hyphenate CAPITALIZED words", "Nie dziel wyrazów pisanych wersalikami"),
    Check(1016, "Don't Hyphenate words like XPress", "Nie dziel wyrazów typu PeKaO"),
    Check(1017, "Turn Off Auto Hyphenation", "Wyłącz automatyczne dzielenie wyrazów"),
    Check(1018, "Use Hyph Exceptions", "Użyj wyjątków dzielenia wyrazów"),
    Button(1019, "Edit Hyph Exceptions", "Edycja wyjątków dzielenia wyrazów"),
    kOk,
    kCancel,
};

// Top to bottom: the quotation group (left) and the dash group (right), the
// space rows with their character lists, the word-list rows, the digit rows.
constexpr ItemSource kTypographyPreferencesItems[] = {
    Check(1077, "Quotation-marks", "Popraw cudzysłowy"),
    Radio(1001, 1, "Quotation „Hamlet”", "Cudzysłów typu „Hamlet”"),
    Radio(1002, 1, "Quotation ’Hamlet’", "Cudzysłów typu ’Hamlet’"),
    Radio(1003, 1, "Quotation «Hamlet»", "Cudzysłów typu «Hamlet»"),
    Radio(1004, 1, "Quotation »Hamlet«", "Cudzysłów typu »Hamlet«"),
    Check(10001, "Try to guess opening/closing Quotation Mark",
          "Odgadnij otwierający/zamykający cudzysłów"),
    Check(10002, "Insert/remove space if needed", "Wstaw/usuń spacje, gdzie niezbędne"),
    Check(1011, "Space-hyphen-space", "Spacja-myślnik-spacja"),
    Radio(1012, 2, "pause", "pauza"),
    Radio(1013, 2, "half-pause", "półpauza"),
    Check(10005, "Nonbreaking spaces after hyphens", "Spacje łączliwe po myślnikach"),
    Check(1006, "Remove  repeated spaces", "Usuń spacje wielokrotne"),
    Check(1005, "Remove spaces before", "Usuń spacje przed"),
    Edit(1071, 255),
    Button(8, "Default", "Domyślne"),
    Check(1007, "Insert spaces before", "Wstaw spacje przed"),
    Edit(1070, 255),
    Button(7, "Default", "Domyślne"),
    Check(1014, "Remove spaces after", "Usuń spacje po"),
    Edit(1069, 255),
    Button(6, "Default", "Domyślne"),
    Check(1015, "Insert spaces after", "Wstaw spacje po"),
    Edit(1068, 255),
    Button(5, "Default", "Domyślne"),
    Check(1009, "Remove characters", "Usuń znaki"),
    Edit(1010, 100),
    Button(4, "Default", "Domyślne"),
    Check(1098, "Nonbreaking spaces before words", "Spacja łączliwa przed wyrazami"),
    Button(1100, "Edit", "Edytuj"),
    Button(1099, "Default", "Domyślne"),
    Check(1084, "Nonbreaking spaces after words", "Spacje łączliwe po wyrazach"),
    Button(1087, "Edit", "Edytuj"),
    Button(1085, "Default", "Domyślne"),
    Check(1089, "Nonbreaking spaces after digits, before words",
          "Spacje łączliwe po liczbach, przed wyrazami"),
    Button(1088, "Edit", "Edytuj"),
    Button(1086, "Default", "Domyślne"),
    Check(10000, "Use insert space exceptions", "Wyjątki wstawiania spacji"),
    Button(1091, "Edit", "Edytuj"),
    Button(1090, "Default", "Domyślne"),
    Check(10003, "Nonbreaking spaces before digits", "Spacja łączliwa przed cyframi"),
    Check(10004, "Nonbreaking spaces before roman digits",
          "Spacja łączliwa przed cyframi rzymskimi"),
    kOk,
    kCancel,
};

// The edit-list dialog; the user-dictionary and exceptions dialogs hold the
// same items. Words are up to 255 bytes.
constexpr ItemSource kEditListItems[] = {
    List(1078),
    Edit(1079, 255),
    Button(1080, "Add", "Dodaj"),
    Button(1081, "Remove", "Usuń"),
    Button(1082, "Change", "Zmień"),
    DefaultButton(1, "Close", "Zamknij"),
};

constexpr ItemSource kCheckSpellingItems[] = {
    Label("Not in Dictionary:", "Nie ma w słowniku:"),
    Text(1059),  // the misspelt word; a click copies it into "Change To"
    Label("Change To:", "Zamień na:"),
    Edit(1045, 255),
    Label("Suggestions:", "Propozycje:"),
    List(1044),
    Button(1046, "Ignore", "Ignoruj"),
    Button(1047, "Ignore All", "Ignoruj wszystkie"),
    Button(1048, "Change", "Zamień"),
    Button(1049, "Change All", "Zamień wszystkie"),
    Button(1051, "Add", "Dodaj"),
    Button(1058, "Suggest", "Sugeruj poprawki"),
    Button(1050, "Options", "Opcje"),
    Button(1, "Close", "Zamknij"),
};

constexpr ItemSource kSuggestedHyphenationItems[] = {
    Label("Without hyphens:", "Bez dywizów:"),
    Text(1039),
    Label("Currently:", "Bieżący:"),
    Text(1040),
    Label("Without exceptions:", "Bez wyjątków dzielenia:"),
    Text(1041),
    Label("With exceptions:", "Z wyjątkami dzielenia:"),
    Text(1042),
    kOk,
};

constexpr ItemSource kAutohyphenationWarningItems[] = {
    Label("These styles have  autohyphenation turned on. This may cause bad hyphenation.",
          "Dla stylów włączone jest automatyczne dzielenie, co może powodować niepoprawne "
          "dzielenie wrazów."),
    List(1054),  // one row per H&J specification name
    Label("Choose Cancel to stop the hyphenation process",
          "Wybierz Anuluj, aby zatrzymać proces dzielenia wyrazów"),
    Label("Choose Fix to turn off auto hyphenation for these styles and hyphenate text",
          "Wybierz Napraw, aby wyłączyć automatyczne dzielenie dla tych stylów i podzielić "
          "tekst"),
    Label("Choose Continue to hyphenate text", "Wybierz Kontynuuj, aby podzielić tekst"),
    DefaultButton(1, "Continue", "Kontynuuj"),
    Button(1052, "Fix", "Napraw"),
    Button(2, "Cancel", "Anuluj"),
};

constexpr ItemSource kMessageItems[] = {
    Text(kMessageTextItem),
    kOk,
};

constexpr ItemSource kQuestionItems[] = {
    Text(kMessageTextItem),
    DefaultButton(kYesItem, "Yes", "Tak"),
    Button(kNoItem, "No", "Nie"),
    Button(kCancelItem, "Cancel", "Anuluj"),
};

struct DialogSource {
    uint16_t english;
    uint16_t polish;  // 0: no Polish twin
    const char* englishTitle;
    const char* polishTitle;
    std::span<const ItemSource> items;
};

const DialogSource kDialogs[] = {
    {kAboutDialog, 0, "O rozszerzeniu", "", kAboutItems},
    {31102, 31202, "Dictionary Preferences", "Preferencje słownika", kDictionaryPreferencesItems},
    {31103, 31203, "Hyphenation Preferences", "Preferencje dzielenia wyrazów",
     kHyphenationPreferencesItems},
    {31104, 31204, "Typography Preferences", "Preferencje typografii", kTypographyPreferencesItems},
    {31105, 31205, "Edit User Dictionary", "Edycja słownika użytkownika", kEditListItems},
    {31106, 31206, "Edit Hyphenation Exceptions", "Edycja wyjątków dzielenia wyrazów",
     kEditListItems},
    {31108, 31208, "Check Spelling", "Sprawdzanie pisowni", kCheckSpellingItems},
    {31109, 31209, "Suggested Hyphenation", "Sugerowanie dzielenia", kSuggestedHyphenationItems},
    {31111, 31211, "Autohyphenation Warning", "Ostrzeżenia automatycznego dzielenia",
     kAutohyphenationWarningItems},
    {kMessageDialog, 31217, "Tarnik", "Tarnik", kMessageItems},
    {kQuestionDialog, 31218, "Tarnik", "Tarnik", kQuestionItems},
    {31119, 31219, "Edit list", "Edycja listy", kEditListItems},
    {31120, 31220, "Typography Preferences", "Preferencje typografii", kTypographyPreferencesItems},
};

DialogTemplate Build(uint16_t number, const char* title, std::span<const ItemSource> items,
                     bool polish) {
    DialogTemplate dialog{number, StoredText(title), {}};
    for (const ItemSource& source : items) {
        dialog.items.push_back({source.number, source.kind,
                                StoredText(polish ? source.polish : source.english),
                                source.isDefault, source.radioGroup, source.maxLength});
    }
    return dialog;
}

struct DialogResources {
    std::vector<DialogTemplate> templates;

    DialogResources() {
        for (const DialogSource& source : kDialogs) {
            templates.push_back(Build(source.english, source.englishTitle, source.items, false));
            if (source.polish != 0) {
                templates.push_back(Build(source.polish, source.polishTitle, source.items, true));
            }
        }
        std::sort(
            templates.begin(), templates.end(),
            [](const DialogTemplate& a, const DialogTemplate& b) { return a.number < b.number; });
    }
};

const DialogResources& Resources() {
    static const DialogResources resources;
    return resources;
}

}  // namespace

const DialogTemplate* FindDialogTemplate(uint16_t number) {
    const std::vector<DialogTemplate>& templates = Resources().templates;
    auto found = std::lower_bound(
        templates.begin(), templates.end(), number,
        [](const DialogTemplate& dialog, uint16_t wanted) { return dialog.number < wanted; });
    return found != templates.end() && found->number == number ? &*found : nullptr;
}

const std::vector<DialogTemplate>& AllDialogTemplates() {
    return Resources().templates;
}

}  // namespace tarnik
