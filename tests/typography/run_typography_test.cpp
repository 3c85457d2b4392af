#include "typography/run_typography.h"

#include <gtest/gtest.h>

#include <string>

#include "typo_document.h"
#include "typography/typography_state.h"

namespace tarnik {
namespace {

using testing::TypoDocument;

// Runs the engine on a one-box document holding `text`, with a caret at its
// start, under settings changed by `setup`.
std::string Typeset(const std::string& text, void (*setup)(TypoSettings&) = nullptr) {
    Typography().settings = TypoSettings();
    if (setup)
        setup(Typography().settings);
    BuildTypoCharClasses();
    TypoDocument document(text);
    RunTypography();
    EXPECT_TRUE(document.host.messages.empty()) << text;
    return document.Text();
}

struct Case {
    const char* before;
    const char* after;  // '~': a space with the no-break mark
    void (*setup)(TypoSettings&) = nullptr;
};

// '~' marks a bound (no-break) space in the expected texts.
const Case kCases[] = {
    // Removed characters and repeated spaces.
    {"b  c   d", "b c d"},
    {"b  c", "b  c", [](TypoSettings& s) { s.removeRepeatedSpaces = 0; }},
    {"a\xC2\xA0\xC2\xA0"
     "b",
     "a\xC2\xA0\xC2\xA0"
     "b"},  // only plain spaces count
    {"#ta#k#", "tak", [](TypoSettings& s) { s.removeCharsList = std::string("#"); }},
    {"#tak", "#tak",
     [](TypoSettings& s) { s.removeCharsList = std::string("#"), s.removeChars = 0; }},
    // Spacing around punctuation and brackets.
    {"tak ,nie", "tak, nie"},
    {"( tekst )", "(tekst)"},
    {"koniec.Start", "koniec. Start"},
    {"ala(ma)kota", "ala (ma) kota"},
    {"tak ,nie", "tak ,nie",
     [](TypoSettings& s) { s.removeSpacesBefore = 0, s.insertSpacesAfter = 0; }},
    {"ala(ma)", "ala(ma)", [](TypoSettings& s) { s.insertSpacesBefore = 0; }},
    {"( tekst", "( tekst", [](TypoSettings& s) { s.removeSpacesAfterChars = ""; }},
    {"pi 3,14 i 1.5 oraz 10-20", "pi~3,14 i~1.5 oraz~10-20"},
    {"firma S.A. oraz m.in. to", "firma~S.A. oraz m.in. to"},
    {"S.A.Tak", "S. A. Tak", [](TypoSettings& s) { s.useSpaceExceptions = 0; }},
    {"adres www.wp.pl,x oraz jan@wp.pl,x", "adres www.wp.pl,x oraz jan@wp.pl,x"},
    {"http://a.pl/b.c https://a.pl/b.c ftp.a.pl", "http://a.pl/b.c https://a.pl/b.c ftp.a.pl"},
    {"xwww.A.pl", "xwww. A.pl"},  // an address only when it begins so
    // Times, scores and ratios stay closed, like other numbers.
    {"o 10:30, wynik 2:1, skala 1:100", "o~10:30, wynik~2:1, skala~1:100"},
    {"godzina:10 i 10:tak", "godzina:~10 i~10: tak"},
    // File and domain names keep their full stops closed; a capital after the
    // full stop, or a letter outside ASCII around it, makes it a sentence end.
    {"debian.pl, config.txt libartsc.so.0 www.example.com.pl (plik.tar.gz).",
     "debian.pl, config.txt libartsc.so.0 www.example.com.pl (plik.tar.gz)."},
    {"Plik README.txt.Potem koniec.Start", "Plik README.txt. Potem koniec. Start"},
    {"zdanie.Dalej źle.tak tak.że", "zdanie. Dalej źle. tak tak. że"},
    {"⟨https://www.gnu.org/licenses/gpl-3.0.html⟩ <http://a.pl/b.c> gpg.ssh.defaultKey",
     "⟨https://www.gnu.org/licenses/gpl-3.0.html⟩ <http://a.pl/b.c> gpg.ssh.defaultKey"},
    // A full stop or colon that begins a word belongs to it.
    {"plik .bashrc, :help oraz .tar.gz tak .Nie", "plik .bashrc, :help oraz .tar.gz tak. Nie"},
    // Manual-page references and calls keep their brackets closed.
    {"mke2fs.conf(5), printf(3p) i main() oraz ala(ma)kota w roku(2000)",
     "mke2fs.conf(5), printf(3p) i~main() oraz ala (ma) kota w~roku (2000)"},
    // An inflection after an apostrophe is no one-letter word.
    {"Dave'a oraz Bush’a i w domu", "Dave'a oraz Bush’a i~w~domu"},
    // Emoticons and arrows stay as written; plain punctuation runs do not.
    {"tak ;-> nie :-) koniec :-( tak", "tak ;-> nie :-) koniec :-( tak"},
    {"tak ?! nie ( tak ).", "tak?! nie (tak)."},
    // A character in both lists of one side only loses its spaces.
    {"a ( b (c", "a(b(c", [](TypoSettings& s) { s.removeSpacesBeforeChars += "("; }},
    {"a, b,c", "a,b,c", [](TypoSettings& s) { s.removeSpacesAfterChars += ","; }},
    // Dashes.
    {"tak - nie", "tak –~nie"},
    {"tak — nie", "tak –~nie"},
    {"tak - nie", "tak —~nie", [](TypoSettings& s) { s.dashStyle = 0; }},
    {"tak - nie", "tak - nie", [](TypoSettings& s) { s.fixDashes = 0; }},
    {"tak - nie", "tak – nie", [](TypoSettings& s) { s.nbspAfterDashes = 0; }},
    {"- tak", "–~tak"},
    {"tak -\rnie", "tak –\rnie"},
    {"biało-czerwony tak -nie", "biało-czerwony tak -nie"},
    // Binding short words, units, numbers and roman numerals.
    {"w domu i w szkole", "w~domu i~w~szkole"},
    {"W domu", "W domu", [](TypoSettings& s) { s.nbspAfterWords = 0; }},
    {"przed domem przedtem", "przed~domem przedtem"},
    {"idę do", "idę do"},  // a word that reaches the range end is not bound
    {"idę do\rdomu", "idę do\rdomu"},
    {"α w β αw β", "α w~β αw~β"},  // characters cp1250 lacks are no letters
    {"mam 5 kg", "mam~5~kg"},
    {"za 10 zł. Tak", "za~10~zł. Tak"},
    {"za 10 zł, tak", "za~10~zł, tak"},
    {"za 10 zło", "za~10 zło"},
    {"z 5 kilo", "z~5 kilo"},
    {"za 10 zł", "za~10 zł", [](TypoSettings& s) { s.nbspAfterDigits = 0; }},
    {"mam 5", "mam 5", [](TypoSettings& s) { s.nbspBeforeDigits = 0; }},
    {"firma Sp. z o.o.", "firma~Sp. z~o.o."},
    {"firma Sp. z o.o.", "firma Sp. z~o.o.", [](TypoSettings& s) { s.nbspBeforeWords = 0; }},
    {"wiek XX i XX wieku", "wiek~XX~i~XX~wieku"},
    {"wiek XX.", "wiek~XX."},
    {"pan MIX-em", "pan~MIX-em"},
    {"pan XXL pan Xena", "pan~XXL pan Xena"},  // any run of C D I L M V X
    {"wiek XX", "wiek XX", [](TypoSettings& s) { s.nbspBeforeRoman = 0; }},
    // Quotation marks.
    {"\"Hamlet\"", "„Hamlet”"},
    {"„Hamlet“", "„Hamlet”"},
    {"(\"tak\")", "(„tak”)"},
    {"\"Rzekł \"tak\" i wyszedł\"", "„Rzekł „tak” i~wyszedł”"},
    {"\"Rzekł \"tak\" i wyszedł\"", "„Rzekł «tak» i~wyszedł”",
     [](TypoSettings& s) { s.innerQuoteStyle = 2; }},
    {"\"Rzekł \"tak\" i wyszedł\"", "„Rzekł »tak« i~wyszedł”",
     [](TypoSettings& s) { s.innerQuoteStyle = 3; }},
    {"\"Rzekł \"tak\" i wyszedł\"", "„Rzekł ’tak’ i~wyszedł”",
     [](TypoSettings& s) { s.innerQuoteStyle = 1; }},
    {"\"a\"\r\"b\"", "„a”\r„b”"},
    {"\"tak\"-\"nie\"", "„tak”-„nie”"},
    {"rock’n’roll it's", "rock’n’roll it's"},
    {"\"Hamlet\"", "\"Hamlet\"", [](TypoSettings& s) { s.fixQuotes = 0; }},
    // A closing mark without an opening one takes the inner mark and leaves the
    // depth below zero for the rest of the run.
    {"tak\" i \"nie\"", "tak» i~«nie»", [](TypoSettings& s) { s.innerQuoteStyle = 2; }},
    // Guessing.
    {"powiedz \" tak\"", "powiedz „tak”",
     [](TypoSettings& s) { s.guessQuotes = 1, s.quoteSpaceFix = 1; }},
    {"\"tak \" i", "„tak” i", [](TypoSettings& s) { s.guessQuotes = 1, s.quoteSpaceFix = 1; }},
    {"a\"b\"c", "a„b”c", [](TypoSettings& s) { s.guessQuotes = 1; }},
    {"a\"b\"c", "a „b” c", [](TypoSettings& s) { s.guessQuotes = 1, s.quoteSpaceFix = 1; }},
};

// Informal prose and technical names: each narrows one rule above, and the rule
// still acts beside them.
const Case kInformalCases[] = {
    // Rule 3 (spacing around punctuation) leaves emoticons as written.
    {"No to :P i :D albo :) i ;) oraz ;> a nawet :-( xD", "No to :P i~:D albo :) i~;) oraz ;> a~nawet :-( xD"},
    {"fajne :).", "fajne :)."},
    {"tak ,nie :P", "tak, nie :P"},
    // Rule 3 (a full stop starts a name): .NET as .bashrc; a capitalised word
    // after a stray space is still a sentence.
    {"teraz .NET i plik .bashrc", "teraz .NET i~plik .bashrc"},
    {"kota .Potem", "kota. Potem"},
    // Rule 3 (a full stop inside a name): after < # = % @ / ~.
    {"Dołącz <stdio.h> i #debian.pl", "Dołącz <stdio.h> i~#debian.pl"},
    {"serwer=themes.org albo kodzak%mtl.pl", "serwer=themes.org albo kodzak%mtl.pl"},
    {"koniec.Start", "koniec. Start"},
    // Rule 2 (repeated spaces) and binding (rules 5-9) keep a line's indentation.
    {"    wcięty  wiersz\n  5 kg", "    wcięty wiersz\n  5~kg"},
    {"a\r   b  c", "a\r   b c"},
    // Rule 10 (quotation marks) leaves an inch or second mark after a number.
    {"Monitor 24\" i 5'30\" oraz \"cytat\"", "Monitor~24\" i~5'30\" oraz „cytat”"},
    {"liczba \"5\" tu", "liczba „5” tu"},
};

TEST(RunTypographyTest, InformalProseAndNames) {
    for (const Case& c : kInformalCases)
        EXPECT_EQ(Typeset(c.before, c.setup), c.after) << "from: " << c.before;
}

TEST(RunTypographyTest, RulesWithAndWithoutTheirSettings) {
    for (const Case& c : kCases)
        EXPECT_EQ(Typeset(c.before, c.setup), c.after) << "from: " << c.before;
}

TEST(RunTypographyTest, ReplacedDashIsBoundToTheSpaceAfterIt) {
    Typography().settings = TypoSettings();
    BuildTypoCharClasses();
    TypoDocument document("tak - nie");
    RunTypography();
    EXPECT_FALSE(document.Marked(3));
    EXPECT_TRUE(document.Marked(4));
    EXPECT_TRUE(document.Marked(5));
    EXPECT_FALSE(document.Marked(6));
}

TEST(RunTypographyTest, AMarkAlreadyThereIsKept) {
    // The host toggles the mark; a second run must not take it off again.
    Typography().settings = TypoSettings();
    BuildTypoCharClasses();
    TypoDocument document("w domu, tak - nie 5 kg");
    RunTypography();
    std::string once = document.Text();
    RunTypography();
    EXPECT_EQ(document.Text(), once);
    EXPECT_EQ(once, "w~domu, tak –~nie~5~kg");
}

}  // namespace
}  // namespace tarnik
