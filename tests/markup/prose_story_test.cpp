// The prose of a text as a story and back: an unchanged story gives the text
// back byte for byte, in any number of parts; a changed one changes the text
// only inside its prose, writing what was put in as the format writes it.
#include "markup/prose_story.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tarnik/text_codec.h"

namespace tarnik::markup {
namespace {

// `text` through a story that `change` edits, handed back `part` units at a time.
std::string Through(TextFormat format, const std::string& text,
                    const std::function<void(std::u16string&)>& change, size_t part = 7,
                    ProseStory::Options options = {}) {
    Reader reader(format);
    ProseStory prose(format, options);
    std::vector<Span> spans;
    std::u16string story;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        end = end == std::string::npos ? text.size() : end + 1;
        std::string_view line = std::string_view(text).substr(start, end - start);
        reader.ReadLine(line, spans);
        prose.AddLine(line, spans, story);
        start = end;
    }
    change(story);
    std::string out;
    for (size_t at = 0; at < story.size(); at += part)
        prose.Take(std::u16string_view(story).substr(at, part), out);
    prose.Finish(out);
    return out;
}

// Replaces every `from` in the story by `to`.
std::function<void(std::u16string&)> Replacing(std::u16string from, std::u16string to) {
    return [from, to](std::u16string& story) {
        for (size_t at = story.find(from); at != std::u16string::npos;
             at = story.find(from, at + to.size()))
            story.replace(at, from.size(), to);
    };
}

void Unchanged(std::u16string&) {}

TEST(ProseStoryTest, AnUnchangedStoryGivesTheTextBack) {
    const std::pair<TextFormat, std::string> texts[] = {
        {TextFormat::kPlain, "Ala ma kota.\r\nDrugi wiersz\n\nbez końca"},
        {TextFormat::kTex,
         "\\section{Wstęp}\nTekst ,,cytat'' -- i~tak \\cite{x}.\n% komentarz\n$a$ \\-x\n"},
        {TextFormat::kHtml, "<p title=\"Tytuł\">Przed&shy;szko &amp; <b>ż</b></p>\n<!-- x -->\n"},
        {TextFormat::kMarkdown, "# Tytuł\n\n- punkt `kod`\n\n    wcięty kod\n"},
        {TextFormat::kNroff, ".TH X 1\n.SH OPIS\n\\fBx\\fR \\(em y\\%z\n"},
        {TextFormat::kPlain, "znaki \x1e i \xee\x80\x80 w tekście \xf0\x9f\x98\x80\n"},
    };
    for (const auto& [format, text] : texts) {
        for (size_t part : {1u, 3u, 1000u})
            EXPECT_EQ(Through(format, text, Unchanged, part), text) << text;
    }
}

TEST(ProseStoryTest, ChangesStayInProseAndFollowTheFormat) {
    struct Case {
        TextFormat format;
        std::string text;
        std::u16string from;
        std::u16string to;
        std::string expected;
    };
    const Case cases[] = {
        // A bound space is ~ in TeX; quotation marks follow the file's own.
        {TextFormat::kTex, "w domu\n", u"w ", u"w\u00A0", "w~domu\n"},
        {TextFormat::kTex, "\"Tak\" ,,Nie''\n", u"\"Tak\"", u"„Tak”", ",,Tak'' ,,Nie''\n"},
        {TextFormat::kTex, "„Nie” i \"Tak\"\n", u"\"Tak\"", u"„Tak”", "„Nie” i „Tak”\n"},
        {TextFormat::kTex, "a - b\n", u" - ", u" – ", "a -- b\n"},
        // A space taken out before markup, and one put in after it.
        {TextFormat::kTex, "tekst \\ref{x} .\n", u" \uE000 .", u" \uE000.", "tekst \\ref{x}.\n"},
        // Repeated spaces across markup: the command keeps its own.
        {TextFormat::kTex, "the \\LaTeX\\ way  \\foo  bar\n", u"  ", u" ", "the \\LaTeX\\ way \\foo  bar\n"},
        // HTML keeps its references; new characters as the file writes them.
        {TextFormat::kHtml, "<p>a&nbsp;b w domu</p>\n", u"w ", u"w\u00A0",
         "<p>a&nbsp;b w&nbsp;domu</p>\n"},
        {TextFormat::kHtml, "<p>w domu</p>\n", u"w ", u"w\u00A0", "<p>w\u00A0domu</p>\n"},
        {TextFormat::kHtml, "<p>&#243;w \"x\"</p>\n", u"\"x\"", u"„x”",
         "<p>&#243;w &#8222;x&#8221;</p>\n"},
        {TextFormat::kNroff, "w domu \\(em x\n", u"w ", u"w\u00A0", "w\\~domu \\(em x\n"},
        // A word changed by the spell check.
        {TextFormat::kHtml, "<b>Pzedszkole</b> &amp; dom\n", u"Pzedszkole", u"Przedszkole",
         "<b>Przedszkole</b> &amp; dom\n"},
        {TextFormat::kMarkdown, "- kto `kod`\n", u"kto", u"kot ma", "- kot ma `kod`\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Through(c.format, c.text, Replacing(c.from, c.to)), c.expected) << c.text;
}

TEST(ProseStoryTest, HyphenationKeepsTheWritersDiscretionaries) {
    ProseStory::Options hyphenation{.keepDiscretionaries = true};
    // Soft hyphens put in, but none into a word that holds \- already.
    auto hyphenate = [](std::u16string& story) {
        Replacing(u"domek", u"do\u00ADmek")(story);
        Replacing(u"Przedszko\u00ADle", u"Przed\u00ADszkole")(story);
    };
    EXPECT_EQ(Through(TextFormat::kTex, "domek Przedszko\\-le\n", hyphenate, 7, hyphenation),
              "do\u00ADmek Przedszko\\-le\n");
    // Removing soft hyphens leaves the writer's own.
    auto remove = [](std::u16string& story) {
        std::erase(story, u'\u00AD');
    };
    EXPECT_EQ(Through(TextFormat::kTex, "do\u00ADmek Przedszko\\-le\n", remove, 7, hyphenation),
              "domek Przedszko\\-le\n");
    EXPECT_EQ(Through(TextFormat::kHtml, "Przed&shy;szko\n", remove, 7, hyphenation),
              "Przedszko\n");
    // A soft hyphen the command moves leaves the writer's where it was.
    EXPECT_EQ(Through(TextFormat::kTex, "Men\\\"u\\-zei\\-le\n",
                      Replacing(u"zei\u00ADle", u"ze\u00ADile"), 7, hyphenation),
              "Men\\\"u\\-zei\\-le\n");
}

}  // namespace
}  // namespace tarnik::markup
