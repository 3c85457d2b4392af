// Every text command reads marked-up text through the markup layer, as a user
// runs them: changes stay inside the prose, the mode comes from --mode (or -t,
// -H, -n) or the file's extension, and hyphenating then removing gives a file
// back byte for byte.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/tarnik_folder.h"

namespace {

using clitest::Outcome;
using ::testing::HasSubstr;

struct Case {
    std::string args;
    std::string input;
    int status;
    std::string out;       // the whole of standard output
    std::string err = "";  // a part of standard error
};

class MarkupCommandsTest : public clitest::TarnikFolder {
  protected:
    void Check(const Case& c) {
        Outcome o = Run(c.args, c.input);
        EXPECT_EQ(o.status, c.status) << c.args << "\n" << o.err;
        EXPECT_EQ(o.out, c.out) << c.args;
        EXPECT_THAT(o.err, HasSubstr(c.err)) << c.args;
    }
};

const char kShy[] = "\u00AD";

TEST_F(MarkupCommandsTest, TypoChangesOnlyProse) {
    const Case cases[] = {
        // TeX: commands and their keys stay; ~ and ,, '' as the file writes them.
        {"typo -t", "Patrz \\ref{fig:wykres}, \\section{Wstęp} i \"cytat\".\n", 0,
         "Patrz \\ref{fig:wykres}, \\section{Wstęp} i~,,cytat''.\n"},
        {"typo --mode tex", "kon\"-stan\"-ty w domu $a:b$ % x :y\n", 0,
         "kon\"-stan\"-ty w~domu $a:b$ % x :y\n"},
        {"typo -t", "„Już” i \"tak\"\n", 0, "„Już” i~„tak”\n"},
        // HTML: attributes, entities and code stay as they were.
        {"typo -H",
         "<p title=\"Tytuł\">Przed&shy;szko \"Ala\"</p><img alt=\"Kot\" src=\"a.png\">"
         "<code>a , b</code>\n",
         0,
         "<p title=\"Tytuł\">Przed&shy;szko „Ala”</p><img alt=\"Kot\" src=\"a.png\">"
         "<code>a , b</code>\n"},
        {"typo --mode html", "<p>w domu&nbsp;i</p>\n", 0, "<p>w&nbsp;domu&nbsp;i</p>\n"},
        // Markdown: list markers, code and link targets stay.
        {"typo --mode markdown", "- punkt \"a\"\n\n    kod  z  ,spacjami\n\n[x](http://a.pl/b,c)\n",
         0, "- punkt „a”\n\n    kod  z  ,spacjami\n\n[x](http://a.pl/b,c)\n"},
        // nroff: requests stay, a no-break space is \~.
        {"typo -n", ".TH X 1\n.SH OPIS\nw domu \\fBgruby\\fR\n", 0,
         ".TH X 1\n.SH OPIS\nw\\~domu \\fBgruby\\fR\n"},
        // Plain text: as before.
        {"typo", "w domu\n", 0, "w\u00A0domu\n"},
        {"typo --mode docx", "", 2, "", "unknown mode 'docx'"},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(MarkupCommandsTest, HyphenatePutsNoSoftHyphenIntoMarkup) {
    const Case cases[] = {
        {"hyphenate -H", "<head><title>Przedszkole</title></head><body class=\"przedszkole\">\n", 0,
         std::string("<head><title>Przed") + kShy + "szko" + kShy +
             "le</title></head><body class=\"przedszkole\">\n"},
        {"hyphenate -H", "<p>Przed&shy;szkole</p><script>przedszkole()</script>\n", 0,
         "<p>Przed&shy;szko&shy;le</p><script>przedszkole()</script>\n"},
        // The writer's own points are kept, and a word holding one gets no more.
        {"hyphenate -t", "\\textbf{przedszkole} Przedszko\\-le \\ref{przedszkole}\n", 0,
         std::string("\\textbf{przed") + kShy + "szko" + kShy +
             "le} Przedszko\\-le \\ref{przedszkole}\n"},
        {"hyphenate --remove -t", std::string("przed") + kShy + "szkole Przedszko\\-le\n", 0,
         "przedszkole Przedszko\\-le\n"},
        {"hyphenate --mode markdown", "# Przedszkole\n\n    przedszkole\n", 0,
         std::string("# Przed") + kShy + "szko" + kShy + "le\n\n    przedszkole\n"},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(MarkupCommandsTest, TheModeComesFromTheExtension) {
    Write("a.tex", "\\documentclass{article} tekst z błendem\n");
    Write("a.html", "<html><body>tekst z błendem</body></html>\n");
    Write("a.md", "`documentclass` tekst z błendem\n");
    Write("a.1", ".TH documentclass 1\ntekst z błendem\n");
    Write("a.txt", "\\documentclass tekst z błendem\n");
    const Case cases[] = {
        {"list a.tex a.html a.md a.1", "", 0, "błendem\nbłendem\nbłendem\nbłendem\n"},
        {"list a.txt", "", 0, "documentclass\nbłendem\n"},
        {"list --mode plain a.html", "", 0, "html\nbłendem\nhtml\n"},
        {"list --locations a.html", "", 0, "a.html:1:21: błendem\n"},
        // Standard input is plain unless a mode is given.
        {"list", "<b>błendem</b>\n", 0, "błendem\n"},
        {"list -t", "Przedszko\\-le kon\"-stan\"-ty\n", 0, ""},
        {"list -H", "Przed&shy;szkole <b>W</b>arszawa\n", 0, ""},
    };
    for (const Case& c : cases)
        Check(c);
}

TEST_F(MarkupCommandsTest, CheckTakesTheModeAndChangesOnlyProse) {
    Write("a.tex",
          "\\documentclass{article}\n\\usepackage{amsmath}\n\\textbf{Tekst} z błendem "
          "\\cite{frac}.\n");
    Write("answers.txt", "1\n");
    Outcome o = Run("check -t --dialogs answers.txt a.tex");
    EXPECT_EQ(o.status, 0) << o.err;
    EXPECT_THAT(o.out, HasSubstr("błendem"));
    EXPECT_THAT(o.out, ::testing::Not(HasSubstr("documentclass")));
    EXPECT_EQ(Read("a.tex"),
              "\\documentclass{article}\n\\usepackage{amsmath}\n\\textbf{Tekst} z błędem "
              "\\cite{frac}.\n");
}

TEST_F(MarkupCommandsTest, HyphenatingThenRemovingGivesTheFileBack) {
    const std::string texts[][2] = {
        {"a.tex",
         "\\documentclass{article}\n% komentarz przedszkole\n\\begin{document}\n"
         "Przedszkole ,,Słoneczko'' zaprasza~dzieci \\cite{przedszkole}.\n"
         "$przedszkole$ \\verb|przedszkole|\n\\end{document}\n"},
        {"a.html",
         "<!DOCTYPE html>\n<html lang=\"pl\"><head><meta charset=\"utf-8\">"
         "<title>Przedszkole</title></head>\r\n<body><p>Przedszkole &bdquo;Słoneczko&rdquo;"
         " <img alt=\"Budynek przedszkola\" src=\"przedszkole.png\"></p></body></html>"},
        {"a.md", "---\ntitle: przedszkole\n---\n# Przedszkole\n\n- punkt przedszkolny\n"},
        {"a.1", ".TH PRZEDSZKOLE 1\n.SH NAZWA\nprzedszkole \\- opis\n"},
    };
    for (const auto& [name, text] : texts) {
        Write(name, text);
        ASSERT_EQ(Run("hyphenate " + name + " -o h-" + name).status, 0) << name;
        EXPECT_NE(Read("h-" + name), text) << name;
        ASSERT_EQ(Run("hyphenate --remove h-" + name + " -o r-" + name).status, 0) << name;
        EXPECT_EQ(Read("r-" + name), text) << name;
    }
}

}  // namespace
