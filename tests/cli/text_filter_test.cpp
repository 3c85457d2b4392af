// What the text filters leave to be checked: every character is kept or blanked,
// so the kept ones stay in their places.
#include "cli/text_filter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "charsets/utf8.h"

namespace tarnik::cli {
namespace {

// The lines filtered in turn, each in one piece, and printed back with the
// blanked characters as spaces.
std::vector<std::string> Filtered(TextFormat format, const std::vector<std::string>& lines,
                                  bool checkAddresses = false) {
    TextFilter filter(format, checkAddresses);
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        std::u16string codes = Utf8ToInternal(line);
        filter.Filter(codes, true);
        std::string text;
        for (char16_t c : codes)
            text.push_back(c < 128 ? static_cast<char>(c) : '@');
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
        {{R"(\section{Wstep} tekst)"}, {R"(        {Wstep} tekst)"}},
        {{R"(a \cite{Kowalski99} b \ref{sec:x} c)"}, {R"(a                   b             c)"}},
        {{R"(\setlength{\parindent}{2em} dalej)"}, {R"(                            dalej)"}},
        {{R"(\includegraphics[width=5cm]{rys} opis)"},
         {R"(                                 opis)"}},
        {{R"(\href{http://x.pl}{strona})"}, {R"(                  {strona})"}},
        {{R"(wzor $a+b=c$ i $$x$$ oraz \(y\) i \[z\] koniec)"},
         {R"(wzor         i       oraz       i       koniec)"}},
        {{R"(tekst % komentarz)", "dalej"}, {"tekst            ", "dalej"}},
        {{R"(100\% pewne)"}, {R"(100   pewne)"}},
        {{R"(\begin{equation})", "a = b", R"(\end{equation} po)"},
         {"                ", "     ", "               po"}},
        {{R"(\begin{itemize} \item punkt)"}, {"                      punkt"}},
        {{R"(\begin{verbatim})", R"(kod $ % {)", R"(\end{verbatim} dalej)"},
         {"                ", "         ", "               dalej"}},
        {{R"(\verb|a $ b| tekst)"}, {R"(             tekst)"}},
        // A group may go on over several lines.
        {{R"(\cite{a,)", "b} tekst"}, {"        ", "   tekst"}},
        // An empty line ends math left open by mistake.
        {{"$a", "", "tekst"}, {"  ", "", "tekst"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Filtered(TextFormat::kTex, c.lines), c.expected) << c.lines[0];
    }
}

TEST(TextFilterTest, HtmlLeavesProseOnly) {
    const Case cases[] = {
        {{R"(<p class="x">Tekst <b>gruby</b></p>)"}, {R"(             Tekst    gruby        )"}},
        {{R"(<img alt="opis obrazka" src="a.png">)"}, {R"(          opis obrazka              )"}},
        {{"a&nbsp;b &#261; c"}, {"a      b        c"}},
        {{"<!-- uwaga -->tekst"}, {"              tekst"}},
        {{"<script>var x = 1;</script>po"}, {"                           po"}},
        {{"<pre>", "kod", "</pre> dalej"}, {"     ", "   ", "       dalej"}},
        {{"<a", "href='x'>tekst</a>"}, {"  ", "         tekst    "}},
        {{"a < b"}, {"a    "}},  // a bare '<' opens a tag, as in a browser's error recovery
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Filtered(TextFormat::kHtml, c.lines), c.expected) << c.lines[0];
    }
}

TEST(TextFilterTest, NroffLeavesProseOnly) {
    const Case cases[] = {
        {{".SH OPIS", "Tekst \\fBgruby\\fR i \\f(CWstaly\\fP."},
         {"    OPIS", "Tekst    gruby    i      staly   ."}},
        {{".TH TARNIK 1", ".\\\" komentarz", "tekst \\\" uwaga"},
         {"            ", "             ", "tekst         "}},
        {{"a\\-b \\(em c \\s+2d\\s0 \\*(Tm"}, {"a  b      c     d         "}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Filtered(TextFormat::kNroff, c.lines), c.expected) << c.lines[0];
    }
}

TEST(TextFilterTest, AddressesAreNotChecked) {
    const Case cases[] = {
        {{"zob. http://przyklad.pl/strona, teraz"}, {"zob.                            teraz"}},
        {{"(www.przyklad.pl) i"}, {"                  i"}},
        {{"pisz: jan@przyklad.pl lub"}, {"pisz:                 lub"}},
        {{"plik /etc/passwd i ~/notatki oraz ./a"}, {"plik             i           oraz    "}},
        {{"C:\\Dokumenty\\a.txt"}, {"                  "}},
        // Not addresses: an "and/or", a sentence without a space, a lone '@'.
        {{"i/lub koniec.Start a @ b"}, {"i/lub koniec.Start a @ b"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Filtered(TextFormat::kPlain, c.lines), c.expected) << c.lines[0];
    }
    EXPECT_EQ(Filtered(TextFormat::kPlain, {"http://a.pl"}, true),
              std::vector<std::string>{"http://a.pl"});
}

TEST(TextFilterTest, StateGoesOnAcrossPiecesOfALine) {
    TextFilter filter(TextFormat::kTex);
    std::u16string first = Utf8ToInternal(R"(a \ci)");
    std::u16string second = Utf8ToInternal(R"(te{klucz} b)");
    filter.Filter(first, false);
    filter.Filter(second, true);
    EXPECT_EQ(first, u"a    ");
    EXPECT_EQ(second, u"          b");
}

TEST(TextFilterTest, FormatNames) {
    TextFormat format = TextFormat::kPlain;
    EXPECT_TRUE(TextFormatFromName("latex", format));
    EXPECT_EQ(format, TextFormat::kTex);
    EXPECT_TRUE(TextFormatFromName("xml", format));
    EXPECT_EQ(format, TextFormat::kHtml);
    EXPECT_FALSE(TextFormatFromName("docx", format));
}

}  // namespace
}  // namespace tarnik::cli
