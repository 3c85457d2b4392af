#include "platform/plugin_translations.h"

#include <gtest/gtest.h>

#include "platform/translation_tables.h"
#include "shown_text.h"

namespace tarnik {
namespace {

using testing::Shown;

TEST(PluginTranslationsTest, TextsReadInPolishWhenTheHostRunsInPolish) {
    RegisterPluginTranslations();
    struct Case {
        const char* english;
        const char* polish;
    };
    for (Case c :
         {Case{"Polish Spell Checker", "Sprawdzanie pisowni PL"},
          Case{"Check Word...", "Sprawdź wyraz..."},
          Case{"Remove Hyphens From Selection", "Usuń dywizy z zaznaczenia"},
          Case{"Remove hyphens from document", "Usuń wszystkie dywizy"},
          Case{"Do you want to check from the beginning of story?",
               "Czy chcesz sprawdzać od początku wątku?"},
          Case{"Quotation mark between two non-spaces", "Cudzysłów między znakami bez spacji"},
          Case{"Can't open spell checker. [%s]",
               "Podczas próby otwierania pliku słownika wystąpił błąd. [%s]"},
          Case{"Shortcuts for menu PolishDictionary",
               "Skróty klawiaturowe do menu Sprawdzanie pisowni PL"},
          Case{"Ctrl+Shift+F3", "Ctrl+Shift+F3"}}) {
        EXPECT_EQ(Shown(TranslateString(c.english, kPolishLanguage)), c.polish) << c.english;
        const char* english = c.english;
        EXPECT_EQ(TranslateString(english, 0), english) << "English host";
    }
}

TEST(PluginTranslationsTest, EveryDialogHasItsPolishTwin) {
    RegisterPluginTranslations();
    for (uint16_t english : {31102, 31103, 31104, 31105, 31106, 31108, 31109, 31111, 31114, 31117,
                             31118, 31119, 31120}) {
        EXPECT_EQ(TranslateDialog(english, kPolishLanguage), english + 100) << english;
        EXPECT_EQ(TranslateDialog(english, 0), english) << english;
    }
    EXPECT_EQ(TranslateDialog(30001, kPolishLanguage), 30001) << "the About box has no twin";
}

}  // namespace
}  // namespace tarnik
