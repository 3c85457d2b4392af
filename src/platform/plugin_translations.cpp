#include "platform/plugin_translations.h"

#include <cstdint>
#include <string>

#include "platform/stored_text.h"
#include "platform/translation_tables.h"

namespace tarnik {

namespace {

struct DialogTwin {
    uint16_t english;
    uint16_t polish;
};

// 31114 has no resource in either language; its row is kept all the same, so a
// later dialog of that number finds its twin. 31118 is registered twice; the
// second registration replaces the first.
constexpr DialogTwin kDialogTwins[] = {
    {31102, 31202},  // Dictionary Preferences
    {31103, 31203},  // Hyphenation Preferences
    {31104, 31204},  // Typography Preferences, first layout
    {31105, 31205},  // Edit User Dictionary
    {31106, 31206},  // Edit Hyphenation Exceptions
    {31108, 31208},  // Check Spelling
    {31109, 31209},  // Suggested Hyphenation
    {31111, 31211},  // Autohyphenation Warning
    {31114, 31214},  // no resource
    {31117, 31217},  // one-button message box
    {31118, 31218},  // Yes / No / Cancel question box
    {31118, 31218},  // the same again
    {31119, 31219},  // Edit list
    {31120, 31220},  // Typography Preferences
};

struct StringTwin {
    const char* english;
    const char* polish;  // UTF-8 here; stored as x-mac-ce
};

constexpr StringTwin kStringTwins[] = {
    {"Polish Spell Checker", "Sprawdzanie pisowni PL"},
    {"About Tarnik...", "Informacje o Tarniku..."},
    {"Check Word...", "Sprawdź wyraz..."},
    {"Dictionary Preferences...", "Preferencje słownika..."},
    {"Check Story...", "Sprawdź wątek..."},
    {"Hyphenate Box", "Dzielenie wyrazów w ramce"},
    {"Hyphenate Boxes", "Dzielenie wyrazów w ramkach"},
    {"Hyphenation Preferences...", "Preferencje dzielenia wyrazów..."},
    {"Polish Hyphenation", "Dzielenie wyrazów PL"},
    {"Typography", "Typografia"},
    {"Typography Preferences...", "Preferencje typografii..."},
    {"Typography In Box", "Typografia w ramce"},
    {"Typography In Boxes", "Typografia w ramkach"},
    {"Remove Hyphens From Box", "Usuń dywizy z ramki"},
    {"Remove Hyphens From Boxes", "Usuń dywizy z ramek"},
    {"Suggest Hyphenation...", "Sugeruj dzielenie wyrazów..."},
    {"Check Document...", "Sprawdź dokument..."},
    {"Hyphenate Selection", "Dzielenie wyrazów w zaznaczeniu"},
    {"Typography In Selection", "Typografia w zaznaczeniu"},
    {"Hyphenation Exceptions...", "Wyjątki dzielenia wyrazów..."},
    {"Check Selection...", "Sprawdź zaznaczenie..."},
    {"Remove Hyphens From Selection", "Usuń dywizy z zaznaczenia"},
    {"Word is spelled correctly", "Wyraz jest poprawny"},
    {"There are no errors in the selection.", "W zaznaczeniu nie ma błędów."},
    {"There is no errors at all", "Nie ma błędów"},
    {"Can't load dictionary file (Lexicor)", "Nie można wczytać pliku słownika (Lexicor)"},
    {"Can't create user dictionary.", "Nie można utworzyć słownika użytkownika."},
    {"There is no errors in this box.", "W tej ramce nie ma błędów."},
    {"Can't load dictionary file (son.dic)", "Nie można wczytać pliku słownika (son.dic)"},
    {"Can't load user dictionary file.", "Nie można wczytać pliku słownika użytkownika."},
    {"Can't load hyphenation file (PLHYPH.DAT)",
     "Nie można wczytać pliku dzielenia wyrazów (PLHYPH.DAT)"},
    {"Can't open hyphenation exceptions (file PLHYPH.USR)",
     "Nie można otworzyć wyjątków dzielenia wyrazów (plik PLHYPH.USR)"},
    {"No more errors.", "Nie ma więcej błędów."},
    // Shortcut names read the same in both languages.
    {"Ctrl+Shift+F4", "Ctrl+Shift+F4"},
    {"Ctrl+Shift+F5", "Ctrl+Shift+F5"},
    {"Ctrl+Shift+F6", "Ctrl+Shift+F6"},
    {"Ctrl+Shift+F1", "Ctrl+Shift+F1"},
    {"Ctrl+Shift+F2", "Ctrl+Shift+F2"},
    {"Ctrl+Shift+F7", "Ctrl+Shift+F7"},
    {"Ctrl+Shift+F3", "Ctrl+Shift+F3"},
    {"Do you want to check from the beginning of story?",
     "Czy chcesz sprawdzać od początku wątku?"},
    {"Quotation mark between two spaces", "Cudzysłów między spacjami"},
    {"Quotation mark between two non-spaces", "Cudzysłów między znakami bez spacji"},
    {"Inch or second mark after a number (left as it is)",
     "Znak cala lub sekundy po liczbie (pozostawiony bez zmian)"},
    {"Edit Shortcuts...", "Edycja skrótów klawiaturowych..."},
    {"Remove hyphens from document", "Usuń wszystkie dywizy"},
    {"Can't open hyphenation (probably file plhyph.dat is missing) [%s]",
     "Podczas otwierania dzielenia wystąpił błąd (prawdopodobnie brak pliku plhyph.dat) [%s]"},
    {"Can't open hyphenation exceptions file [%s]",
     "Podczas otwierania wyjątków dzielenia wystąpił błąd [%s]"},
    {"Do you really want to remove all hyphenation points from this document?",
     "Czy na pewno chcesz usunąć wszystkie znaki dzielenia z dokumentu?"},
    {"There is no dictionary file %s in QuarkXPress folder!",
     "Brak pliku słownika %s w folderze QuarkXPress!"},
    {"Can't open spell checker. [%s]",
     "Podczas próby otwierania pliku słownika wystąpił błąd. [%s]"},
    {"Hyphenation shortcuts", "Skróty dzielenia"},
    {"Dictionary shortcuts", "Skróty słownika"},
    {"Typography shortcuts", "Skróty typografii"},
    {"Shortcuts for menu Polish Hyphenation", "Skróty klawiaturowe do menu Dzielenie wyrazów PL"},
    {"Shortcuts for menu PolishDictionary", "Skróty klawiaturowe do menu Sprawdzanie pisowni PL"},
    {"Shortcuts for menu Polish Typography", "Skróty klawiaturowe do menu Typografia"},

    // The spell check's own messages about the user dictionary.
    {"The user dictionary was damaged. It has been kept as %s and a new one started.",
     "Słownik użytkownika był uszkodzony. Zachowano go jako %s i założono nowy."},
    {"Can't add the word to the user dictionary.",
     "Nie można dodać wyrazu do słownika użytkownika."},
    {"Can't save the user dictionary.", "Nie można zapisać słownika użytkownika."},
    {"Can't save the settings.", "Nie można zapisać ustawień."},

    // The Check Spelling dialog's refusals.
    {"The word was not changed: the text in Change To is longer than 255 characters.",
     "Wyrazu nie zamieniono: tekst w polu Zamień na jest dłuższy niż 255 znaków."},
    {"The word was not changed: the text cannot be edited.",
     "Wyrazu nie zamieniono: tekstu nie można zmieniać."},

    // Words the user dictionary cannot hold as they are.
    {"The word was not stored: it holds a character that Windows-1250 lacks.",
     "Wyrazu nie zapisano: zawiera znak, którego nie ma w Windows-1250."},
    {"The word was not stored: a word starts with a letter.",
     "Wyrazu nie zapisano: wyraz zaczyna się od litery."},
    {"The word was not stored: only letters and the hyphen can be stored.",
     "Wyrazu nie zapisano: można zapisać tylko litery i dywiz."},
    {"The word was not stored: it is longer than 255 letters.",
     "Wyrazu nie zapisano: ma więcej niż 255 liter."},

    // Hyphenation exceptions the editor cannot store as typed.
    {"The exception was not stored: it holds a character that Windows-1250 lacks.",
     "Wyjątku nie zapisano: zawiera znak, którego nie ma w Windows-1250."},
    {"The exception was not stored: each '-' must stand between two letters.",
     "Wyjątku nie zapisano: każdy znak '-' musi stać między dwiema literami."},
    {"The exception was not stored: write only the word's letters, with '-' at each break.",
     "Wyjątku nie zapisano: wpisz tylko litery wyrazu, z '-' w miejscach podziału."},
    {"The exception was not stored: it may hold at most 49 breaks, and at most 251 letters "
     "and breaks together.",
     "Wyjątku nie zapisano: może mieć najwyżej 49 podziałów i najwyżej 251 liter i podziałów "
     "razem."},
    {"The exception was not stored: the word is listed already; remove it first to change its "
     "breaks.",
     "Wyjątku nie zapisano: wyraz już jest na liście; aby zmienić jego podziały, najpierw go "
     "usuń."},
    {"The hyphenation exceptions file was damaged. It has been kept as %s and a new one "
     "started.",
     "Plik wyjątków dzielenia wyrazów był uszkodzony. Zachowano go jako %s i założono nowy."},
    {"Can't save the hyphenation exceptions file.",
     "Nie można zapisać pliku wyjątków dzielenia wyrazów."},
};

}  // namespace

void RegisterPluginTranslations() {
    for (const DialogTwin& twin : kDialogTwins) {
        RegisterDialog(twin.english, kPolishLanguage, twin.polish);
    }
    for (const StringTwin& twin : kStringTwins) {
        RegisterString(twin.english, kPolishLanguage, StoredText(twin.polish).c_str());
    }
}

}  // namespace tarnik
