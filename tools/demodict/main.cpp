// tarnik-demodict FILE: writes a small demonstration main dictionary, a few
// hundred forms of common Polish words: enough to try the spell check where the
// real dictionary is not bundled.
#include <iostream>
#include <string>
#include <vector>

#include "charsets/utf8.h"
#include "tools/container/main_dictionary_writer.h"

namespace {

using tarnik::tools::InflectionClass;
using tarnik::tools::Letters;
using tarnik::tools::MainDictionaryWriter;
using tarnik::tools::SpecialListKind;

Letters Word(const std::string& utf8) {
    return tarnik::tools::ToLetters(tarnik::Utf8ToCp1250(utf8));
}

struct Paradigm {
    InflectionClass inflection;
    std::vector<const char*> endings;
    std::vector<const char*> stems;
};

// Endings chosen so that every stem takes all of them without a stem change.
const Paradigm kParadigms[] = {
    {{2, 1},  // masculine nouns: the plural and the instrumental
     {"", "em", "y", "ów", "om", "ami", "ach"},
     {"kot", "dom", "las", "chleb", "ser", "sklep", "tekst", "wyraz", "akapit", "skład"}},
    {{7, 1}, {"a"}, {"kot", "ser", "chleb"}},  // masculine genitive in -a
    {{8, 1}, {"u"}, {"dom", "las", "sklep", "tekst", "wyraz", "akapit", "skład"}},  // ... in -u
    {{3, 1},  // feminine nouns in -a
     {"a", "y", "ę", "ą", "om", "ami", "ach"},
     {"kobiet", "szkoł", "ryb", "gazet", "stron", "kart", "prac"}},
    {{4, 1},  // neuter nouns in -o
     {"o", "a", "u", "em", "om", "ami", "ach"},
     {"okn", "miast", "piw", "lat", "koł", "pism", "słow"}},
    {{5, 1},  // adjectives
     {"y", "a", "e", "ego", "ej", "emu", "ą", "ym", "ymi", "ych"},
     {"now", "star", "dobr", "mał", "ładn", "czarn", "biał", "zielon", "pełn"}},
    {{6, 1},  // verbs in -ać
     {"ać", "am", "asz", "a", "amy", "acie", "ają", "ał", "ała", "ało", "ali"},
     {"czyt", "sprawdz", "skład", "zn", "łam", "dział", "pyt"}},
};

const char* const kAlwaysAccepted[] = {
    "a",    "i",    "o",   "u",   "w",   "z",    "we",   "ze",  "na",     "do",    "od",  "po",
    "za",   "przy", "nad", "pod", "że",  "nie",  "się",  "to",  "jest",   "są",    "ma",  "mam",
    "masz", "mają", "jak", "ale", "lub", "albo", "oraz", "już", "tak",    "czy",   "co",  "kto",
    "ten",  "ta",   "te",  "tu",  "tam", "np",   "itd",  "itp", "zażółć", "gęślą", "jaźń"};
const char* const kCapitals[] = {"Ala",     "Ali",      "Alę",      "Polska",    "Polski",
                                 "Polsce",  "Warszawa", "Warszawy", "Warszawie", "Kraków",
                                 "Krakowa", "Krakowie", "PKP",      "NATO",      "UE"};
const char* const kAbbreviations[] = {"tzw", "ul", "dr", "prof", "godz", "str", "tj", "ok"};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "Usage: tarnik-demodict FILE\n";
        return 2;
    }
    MainDictionaryWriter writer;
    for (const Paradigm& paradigm : kParadigms) {
        for (const char* ending : paradigm.endings)
            writer.AddEnding(paradigm.inflection, Word(ending));
        for (const char* stem : paradigm.stems)
            writer.AddStem(Word(stem), paradigm.inflection);
    }
    for (const char* word : kAlwaysAccepted)
        writer.AddSpecialWord(SpecialListKind::kAlwaysAccepted, Word(word));
    for (const char* word : kCapitals)
        writer.AddSpecialWord(SpecialListKind::kCapitals, Word(word));
    for (const char* word : kAbbreviations)
        writer.AddSpecialWord(SpecialListKind::kAbbreviations, Word(word));
    try {
        writer.Write(argv[1]);
    } catch (const std::exception& error) {
        std::cerr << "tarnik-demodict: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
