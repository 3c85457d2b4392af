// What the text filter leaves to be spell-checked: the prose of each line, markup
// as a space (inline markup as nothing), escapes as their characters, and
// addresses blanked; each unit keeps its column in the line.
#include "markup/text_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnik::markup {
namespace {

// The lines filtered in turn, printed back with the codes below 128 as they are
// and the others as '@'.
std::vector<std::string> Filtered(TextFormat format, const std::vector<std::string>& lines,
                                  bool checkAddresses = false) {
    TextFilter filter(format, checkAddresses);
    std::vector<std::string> out;
    ProseLine prose;
    for (const std::string& line : lines) {
        filter.Filter(line, prose);
        EXPECT_EQ(prose.columns.size(), prose.codes.size() + 1);
        std::string text;
        for (char16_t c : prose.codes)
            text.push_back(c < 128 && c != 0x1F ? static_cast<char>(c) : '@');
        out.push_back(text);
    }
    return out;
}

struct Case {
    std::vector<std::string> lines;
    std::vector<std::string> expected;
};

TEST(TextFilterTest, TexLeavesProseOnly) {
    const Case cases[] = {
        {{R"(\section{Wstep} tekst)"}, {R"( Wstep tekst)"}},
        {{R"(a \cite{Kowalski99} b \ref{sec:x} c)"}, {R"(a   b   c)"}},
        {{R"(\documentclass{article} \usepackage{xcolor} \textbf{frac})"}, {R"(    frac)"}},
        {{R"(tekst % komentarz)", "dalej"}, {"tekst ", "dalej"}},
        {{R"(100\% pewne)"}, {R"(100% pewne)"}},
        {{"Przedszko\\-le kon\"-stan\"-ty"}, {"Przedszko@le kon@stan@ty"}},
        {{R"(\begin{equation})", R"(\frac{a}{b})", R"(\end{equation} po)"}, {" ", " ", "  po"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Filtered(TextFormat::kTex, c.lines), c.expected) << c.lines[0];
}

TEST(TextFilterTest, HtmlLeavesProseOnly) {
    const Case cases[] = {
        {{R"(<p class="x">Ala <b>W</b>arszawa</p>)"}, {R"( Ala Warszawa )"}},
        {{R"(Przed&shy;szkole &amp; dom)"}, {R"(Przed@szkole & dom)"}},
        {{R"(<img alt="Kot" src="x.png">)"}, {" Kot "}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Filtered(TextFormat::kHtml, c.lines), c.expected) << c.lines[0];
}

TEST(TextFilterTest, AddressesAreNotChecked) {
    const Case cases[] = {
        {{"zobacz http://example.com/strona teraz"}, {"zobacz                           teraz"}},
        {{"pisz na jan@example.pl albo"}, {"pisz na                albo"}},
        {{"plik /etc/passwd i ~/notatki"}, {"plik             i          "}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Filtered(TextFormat::kPlain, c.lines), c.expected) << c.lines[0];
    EXPECT_EQ(Filtered(TextFormat::kPlain, {"http://a.pl"}, true),
              std::vector<std::string>{"http://a.pl"});
}

TEST(TextFilterTest, ColumnsAreThoseOfTheLine) {
    TextFilter filter(TextFormat::kHtml);
    ProseLine prose;
    filter.Filter("<b>żółw</b> &amp; kot\n", prose);
    ASSERT_EQ(prose.units, u"żółw & kot");
    EXPECT_EQ(prose.columns[0], 3);   // ż
    EXPECT_EQ(prose.columns[4], 11);  // the space after </b>
    EXPECT_EQ(prose.columns[5], 12);  // &amp;
    EXPECT_EQ(prose.columns[7], 18);  // k
    EXPECT_EQ(prose.columns.back(), 21);
}

}  // namespace
}  // namespace tarnik::markup
