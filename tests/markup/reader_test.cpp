// The readers of each format: what of a line is prose, as a table per format.
// Each line is shown as the reader cut it: prose as it stands, an escape as
// the character it stands for in {braces}, inline markup left out, markup in
// a sentence as '#', markup between blocks as '|'. Every span covers its line
// in order, and the line's end is prose of its own.
#include "markup/markup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tarnik/text_codec.h"

namespace tarnik::markup {
namespace {

std::string Shown(TextFormat format, const std::vector<std::string>& lines) {
    Reader reader(format);
    std::vector<Span> spans;
    std::string shown;
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string line = lines[n] + "\n";
        reader.ReadLine(line, spans);
        uint32_t at = 0;
        for (const Span& span : spans) {
            EXPECT_EQ(span.begin, at) << line;
            EXPECT_LT(span.begin, span.end) << line;
            at = span.end;
            std::string_view bytes = std::string_view(line).substr(span.begin, span.end - span.begin);
            switch (span.kind) {
                case SpanKind::kText:
                    if (bytes != "\n")
                        shown += bytes;
                    break;
                case SpanKind::kEscape:
                    shown += "{";
                    if (span.discretionary)
                        shown += "-";
                    else
                        AppendUtf8(shown, span.decoded);
                    shown += "}";
                    break;
                case SpanKind::kInline:
                    break;
                case SpanKind::kObject:
                    shown += "#";
                    break;
                case SpanKind::kBreak:
                    shown += "|";
                    break;
            }
        }
        EXPECT_EQ(at, line.size()) << line;
        EXPECT_EQ(spans.back().kind, SpanKind::kText);
        if (n + 1 < lines.size())
            shown += "/";
    }
    return shown;
}

struct Case {
    std::vector<std::string> lines;
    std::string shown;
};

void Check(TextFormat format, const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(Shown(format, c.lines), c.shown) << c.lines[0];
}

TEST(MarkupReaderTest, Plain) {
    Check(TextFormat::kPlain, {
                                  {{"Ala <b> ma \\ref{x} kota"}, "Ala <b> ma \\ref{x} kota"},
                                  {{"  wcięcie", ""}, "  wcięcie/"},
                              });
}

TEST(MarkupReaderTest, Tex) {
    Check(TextFormat::kTex,
          {
              {{R"(\section{Wstęp} tekst)"}, "|Wstęp tekst"},
              {{R"(a \cite{Kowalski99} b \ref{fig:wykres} c)"}, "a # b # c"},
              {{R"(\documentclass[a4paper]{article})"}, "|"},
              {{R"(\usepackage[utf8]{inputenc} dalej)"}, "| dalej"},
              {{R"(\setlength{\parindent}{2em} dalej)"}, "| dalej"},
              {{R"(\includegraphics[width=5cm]{rys} opis)"}, "| opis"},
              {{R"(\href{http://x.pl}{strona})"}, "#strona"},
              {{R"(\url{http://x.pl/~a} i)"}, "# i"},
              {{R"(wzór $a+b=c$ i $$x$$ oraz \(y\) i \[z\] koniec)"},
               "wzór # i | oraz # i | koniec"},
              {{R"(tekst % komentarz)", "dalej"}, "tekst /dalej"},
              {{R"(100\% pewne \& \_ \{)"}, "100{%} pewne {&} {_} {{}"},
              {{R"(\begin{equation})", "a = b", R"(\end{equation} po)"}, "|/|/| po"},
              {{R"(\begin{itemize} \item punkt)"}, "| |punkt"},
              // The spaces after a control word are its own; a control space is
              // no space a rule may take away.
              {{R"(the \MIKTEX\ distribution, {\bf gruby} tekst)"}, "the #distribution, gruby tekst"},
              {{R"(\begin{figure}[htbp] \centering)"}, "| |"},
              {{R"(\begin{tabular}{|l|c|} a & b \\ \hline)"}, "| a | b | |"},
              {{R"(\begin{verbatim})", R"(kod $ % { \ref)", R"(\end{verbatim} dalej)"},
               "|/|/| dalej"},
              {{R"(\verb|a $ b| tekst)"}, "# tekst"},
              {{R"(\cite{a,)", "b} tekst"}, "#/# tekst"},
              {{"$a", "", "tekst"}, "#//tekst"},
              {{R"(\textbf{Ala} ma \emph{kota}.)"}, "Ala ma kota."},
              {{"Przedszko\\-le kon\"-stan\"=ty i\"~o"}, "Przedszko{-}le kon{-}stan{-}ty i{-}o"},
              {{",,Cytat'' -- i --- ``inny''"}, "{„}Cytat{”} {–} i {—} {“}inny{”}"},
              {{"w~domu, 5~kg"}, "w{\u00A0}domu, 5{\u00A0}kg"},
              {{"\"Nie\" rozdziela"}, "\"Nie\" rozdziela"},
              {{R"(\'zr\'od\l{}o \k{a} \.zaba)"}, "{ź}r{ó}d{ł}o {ą} {ż}aba"},
              {{R"(\ldots{} i \LaTeX)"}, "# i #"},
              {{R"(\newcommand{\foo}[1]{\textbf{#1}} tekst)"}, "| tekst"},
              {{R"(linia\\ nowa \\[2pt] dalej)"}, "linia| nowa | dalej"},
              {{R"(\footnote{Przypis.} dalej)"}, "|Przypis. dalej"},
              // Plain TeX: file names, glue, definitions and assignments.
              {{R"(\input emacsver.tex)"}, "|"},
              {{R"(\vskip 1ex plus 2 fill tekst \kern-2pt i)"}, "#tekst #i"},
              {{R"(\hbox to -\intercolumnskip{} a \parindent=0pt b)"}, "# a #b"},
              {{R"(\def\foo#1{\hbox{#1} tekst}po)"}, "|po"},
              {{R"(\def\bar{a,)", "b} po"}, "|/| po"},
              {{R"(\font\x=cmbx10 scaled 1200 tekst)"}, "| tekst"},
              {{R"(\let\a=\b tekst)"}, "| tekst"},
              {{R"(wersja \versionemacs).)"}, "wersja #)."},
              // MeX writes Polish letters with a slash.
              {{"%&mex", "zako/nczenie i/lub poka/z //"}, "/zako{ń}czenie i{ł}ub poka{ż} {/}"},
              {{"i/lub"}, "i/lub"},
          });
}

TEST(MarkupReaderTest, Html) {
    Check(TextFormat::kHtml,
          {
              {{R"(<p class="x">Ala <b>ma</b> kota.</p>)"}, "|Ala ma kota.|"},
              {{R"(<meta charset="utf-8"><title>Tytuł</title>)"}, "|Tytuł|"},
              {{R"(Przed&shy;szko&nbsp;i &amp; &bdquo;x&rdquo; &#8211; &#x201E;)"},
               "Przed{\u00AD}szko{\u00A0}i {&} {„}x{”} {–} {„}"},
              {{R"(&unknown; &c)"}, "# &c"},
              {{R"(<img src="a.png" alt="Kot &quot;Filemon&quot;" title='Zdjęcie'>)"},
               "#Kot {\"}Filemon{\"}#Zdjęcie#"},
              {{R"(<a href="http://x.pl/strona" title="Opis">link</a>)"}, "#Opis#link"},
              {{R"(<input placeholder="Szukaj" aria-label="Pole">)"}, "#Szukaj#Pole#"},
              {{"<script>var x = \"<b>\";</script>po"}, "|po"},
              {{"<style>", "p { color: red }", "</style>"}, "|/|/|"},
              {{"tekst <code>a &lt; b</code> i <pre>", "kod", "</pre>"}, "tekst # i |/|/|"},
              {{"<!-- komentarz -->tekst"}, "tekst"},
              {{"<!-- wiele", "linii -->po"}, "/po"},
              {{"<div", "  class=\"a\">Tekst</div>"}, "|/|Tekst|"},
              {{"<!DOCTYPE html>"}, "|"},
              {{"plik <code><em><code>X</code></em>trans.c</code> tu"}, "plik # tu"},
              {{"<?xml version=\"1.0\"?><para>Akapit</para>"}, "|Akapit|"},
              {{"a < b i c > d"}, "a < b i c > d"},
              {{"<TITLE>Duże</TITLE>"}, "|Duże|"},
          });
}

TEST(MarkupReaderTest, Markdown) {
    Check(TextFormat::kMarkdown,
          {
              {{"---", "title: Tytuł", "---", "Tekst"}, "|/|/|/Tekst"},
              {{"# Nagłówek", "## Drugi ##"}, "|Nagłówek/|Drugi |"},
              {{"- punkt", "* drugi", "1. trzeci"}, "|punkt/|drugi/|trzeci"},
              {{"> cytat"}, "|cytat"},
              {{"Tekst `kod` i ``a`b``."}, "Tekst # i #."},
              {{"[link](http://x.pl \"tytuł\") i ![obraz](a.png)"}, "link i obraz"},
              {{"[ref][1] <http://x.pl> <b>gruby</b>"}, "ref # gruby"},
              {{"[1]: http://x.pl"}, "|"},
              {{"```sh", "echo $x", "```", "po"}, "|/|/|/po"},
              {{"Tekst", "", "    kod", "    dalej", "", "po"}, "Tekst//|/|//po"},
              {{"| a | b |", "|---|---|", "| c | d |"}, "|a|b|/|/|c|d|"},
              {{"**gruby** i _kursywa_ snake_case"}, "gruby i kursywa snake_case"},
              {{"a \\* b &amp; c"}, "a {*} b {&} c"},
              {{"koniec  "}, "koniec|"},
              {{"<div>", "html", "</div>", "", "tekst"}, "|/|/|//tekst"},
              {{"- punkt", "  ciąg dalszy"}, "|punkt/|ciąg dalszy"},
              {{"***"}, "|"},
          });
}

TEST(MarkupReaderTest, Nroff) {
    Check(TextFormat::kNroff,
          {
              {{".TH LS 1 2020", ".SH OPIS", "Tekst"}, "|/|OPIS/Tekst"},
              {{".B \"gruby tekst\""}, "|gruby tekst|"},
              {{"\\fBgruby\\fR zwykły \\f(CWkod\\fP"}, "gruby zwykły kod"},
              {{".\\\" komentarz", "tekst \\\" też"}, "|/tekst "},
              {{"a \\(em b \\[lq]c\\[rq] \\- \\~d \\%słowo"},
               "a {—} b {“}c{”} {-} {\u00A0}d {-}słowo"},
              {{"\\*(Tm i \\s-1mały\\s0"}, "# i mały"},
              {{".EX", "kod ze spacjami", ".EE", "po"}, "|/|/|/po"},
              {{".ig", "ukryte", "..", "po"}, "|/|/|/po"},
              {{"'br", "tekst"}, "|/tekst"},
          });
}

TEST(MarkupReaderTest, FormatNames) {
    TextFormat format = TextFormat::kPlain;
    EXPECT_TRUE(TextFormatFromName("latex", format));
    EXPECT_EQ(format, TextFormat::kTex);
    EXPECT_TRUE(TextFormatFromName("xml", format));
    EXPECT_EQ(format, TextFormat::kHtml);
    EXPECT_TRUE(TextFormatFromName("markdown", format));
    EXPECT_EQ(format, TextFormat::kMarkdown);
    EXPECT_TRUE(TextFormatFromName("nroff", format));
    EXPECT_EQ(format, TextFormat::kNroff);
    EXPECT_FALSE(TextFormatFromName("docx", format));
}

TEST(MarkupReaderTest, FormatFromPath) {
    struct PathCase {
        const char* path;
        std::optional<TextFormat> format;
    };
    const PathCase cases[] = {
        {"praca.tex", TextFormat::kTex},      {"a/b/styl.sty", TextFormat::kTex},
        {"klasa.cls", TextFormat::kTex},      {"x.ltx", TextFormat::kTex},
        {"index.html", TextFormat::kHtml},    {"INDEX.HTM", TextFormat::kHtml},
        {"doc.xhtml", TextFormat::kHtml},     {"data.xml", TextFormat::kHtml},
        {"rys.svg", TextFormat::kHtml},       {"README.md", TextFormat::kMarkdown},
        {"notes.markdown", TextFormat::kMarkdown}, {"ls.1", TextFormat::kNroff},
        {"Carp.3pm", TextFormat::kNroff},     {"strona.man", TextFormat::kNroff},
        {"x.9", TextFormat::kNroff},          {"notatki.txt", std::nullopt},
        {"-", std::nullopt},                  {"", std::nullopt},
        {"wersja.1.2", std::nullopt},         {"a.0", std::nullopt},
        {"latin2.7", TextFormat::kNroff},
        {"archiwum.tar.gz", std::nullopt},
    };
    for (const PathCase& c : cases)
        EXPECT_EQ(TextFormatFromPath(c.path), c.format) << c.path;
}

}  // namespace
}  // namespace tarnik::markup
