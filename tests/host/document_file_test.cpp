// Document files: the keys of the format, round trips, and refusals that name the
// problem and its place.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "host/document_file.h"

using tarnik::host::LoadDocumentFile;
using tarnik::host::LoadDocumentText;
using tarnik::host::MemoryHost;
using tarnik::host::SaveDocumentFile;
using tarnik::host::SaveDocumentText;

namespace {

const char* kExample = R"({
  "language": "pl",
  "tool": "content",
  "hj": [{"name": "Standard", "autoHyphenate": false}, {"name": "Auto", "autoHyphenate": true}],
  "stories": [
    {"text": "Ala ma kota.\nKot ma Alę.", "noBreak": [[3, 4]], "paragraphs": [0, 1],
     "anchors": [{"at": 5, "item": {"id": "a1", "type": "text", "story": 2}}]},
    {"text": "Tekst w grupie."},
    {"text": "Tekst w ramce zakotwiczonej."}
  ],
  "spreads": [{"items": [
    {"id": "t1", "type": "text", "story": 0, "selection": [0, 0]},
    {"id": "g1", "type": "group", "items": [{"id": "t2", "type": "text", "story": 1}, {"id": "p1", "type": "picture"}]}
  ]}],
  "current": "t1"
})";

TEST(DocumentFile, LoadsTheKeysWithTheirMeaning) {
    MemoryHost host;
    std::string error;
    ASSERT_TRUE(LoadDocumentText(kExample, host, error)) << error;
    EXPECT_EQ(host.language, XT_LANGUAGE_POLISH);
    EXPECT_EQ(host.toolMode, XT_TOOL_CONTENT);
    const auto& doc = *host.document;
    ASSERT_EQ(doc.hj.size(), 2u);
    EXPECT_TRUE(doc.hj[1].autoHyphenate);
    const auto& story = doc.stories[0];
    // The anchor character stands at 5; the text around it is the file's.
    EXPECT_EQ(story.Text(), u"Ala m\uFFFCa kota.\nKot ma Alę.");
    EXPECT_EQ(doc.items[size_t(story.AnchorAt(5))].id, "a1");
    EXPECT_TRUE(story.StyleAt(3) & XT_STYLE_NO_BREAK);
    EXPECT_FALSE(story.StyleAt(4) & XT_STYLE_NO_BREAK);
    EXPECT_EQ(story.ParagraphHj(1), 1);
    EXPECT_EQ(doc.items[size_t(doc.current)].id, "t1");
    EXPECT_EQ(doc.items[size_t(doc.items[1].members[1])].type, tarnik::host::ItemType::Picture);
}

TEST(DocumentFile, NoSpreadsMeansNoDocument) {
    MemoryHost host;
    std::string error;
    ASSERT_TRUE(LoadDocumentText(R"({"language": "en", "tool": "item"})", host, error)) << error;
    EXPECT_FALSE(host.document.has_value());
    EXPECT_EQ(host.toolMode, XT_TOOL_ITEM);
    EXPECT_EQ(SaveDocumentText(host), "{\n  \"language\": \"en\",\n  \"tool\": \"item\"\n}\n");
}

TEST(DocumentFile, RoundTripsThroughSaveAndLoad) {
    MemoryHost first;
    std::string error;
    ASSERT_TRUE(LoadDocumentText(kExample, first, error)) << error;
    first.document->stories[0].selectionStart = 2;
    first.document->stories[0].selectionEnd = 7;
    std::string saved = SaveDocumentText(first);
    MemoryHost second;
    ASSERT_TRUE(LoadDocumentText(saved, second, error)) << error << saved;
    EXPECT_EQ(SaveDocumentText(second), saved);
    EXPECT_EQ(second.document->stories[0].Text(), first.document->stories[0].Text());
    EXPECT_EQ(second.document->stories[0].selectionEnd, 7);
}

TEST(DocumentFile, RoundTripsAfterEdits) {
    MemoryHost host;
    std::string error;
    ASSERT_TRUE(LoadDocumentText(kExample, host, error)) << error;
    auto& doc = *host.document;
    auto& story = doc.stories[0];
    for (int item : story.Erase(5, 6))
        doc.RemoveItem(item);  // the anchor and its box
    const char16_t split[] = u"\n";
    story.Insert(2, split, 1, XT_STYLE_NO_BREAK);
    std::string saved = SaveDocumentText(host);
    MemoryHost again;
    ASSERT_TRUE(LoadDocumentText(saved, again, error)) << error << saved;
    EXPECT_EQ(SaveDocumentText(again), saved);
    const auto& reloaded = again.document->stories[0];
    EXPECT_EQ(reloaded.Text(), u"Al\na ma kota.\nKot ma Alę.");
    EXPECT_TRUE(reloaded.Anchors().empty());
    EXPECT_EQ(reloaded.ParagraphHj(2), 1);
    EXPECT_TRUE(reloaded.StyleAt(2) & XT_STYLE_NO_BREAK);
    EXPECT_EQ(again.document->items.size(), 4u);
}

TEST(DocumentFile, SavesToAFileAndReadsItBack) {
    std::string path = testing::TempDir() + "document_file_test.json";
    MemoryHost host;
    std::string error;
    ASSERT_TRUE(LoadDocumentText(kExample, host, error)) << error;
    ASSERT_TRUE(SaveDocumentFile(path, host, error)) << error;
    MemoryHost again;
    ASSERT_TRUE(LoadDocumentFile(path, again, error)) << error;
    EXPECT_EQ(SaveDocumentText(again), SaveDocumentText(host));
    std::remove(path.c_str());
    EXPECT_FALSE(LoadDocumentFile(path, again, error));
    EXPECT_NE(error.find("cannot read"), std::string::npos);
    EXPECT_NE(error.find("No such file or directory"), std::string::npos) << error;
}

TEST(DocumentFile, AFolderIsRefusedAsAFolder) {
    MemoryHost host;
    std::string error;
    EXPECT_FALSE(LoadDocumentFile(testing::TempDir(), host, error));
    EXPECT_EQ(error, "cannot read " + testing::TempDir() + ": Is a directory");
}

struct BadFile {
    const char* json;
    const char* message;  // expected within the refusal
};

class DocumentFileRefusal : public testing::TestWithParam<BadFile> {};

TEST_P(DocumentFileRefusal, NamesTheProblemAndItsPlaceAndKeepsTheHost) {
    MemoryHost host;
    std::string error;
    ASSERT_TRUE(LoadDocumentText(kExample, host, error)) << error;
    EXPECT_FALSE(LoadDocumentText(GetParam().json, host, error));
    EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
    EXPECT_EQ(host.document->items.size(), 5u);  // the old document is still there
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentFileRefusal,
    testing::Values(
        BadFile{"{\"language\": ", "bad JSON: parse error at line 1, column 14"},
        BadFile{"[1, 2]", "the file: not an object"},
        BadFile{R"({"language": "de"})", "language: not \"pl\" or \"en\""},
        BadFile{R"({"colour": 1})", "colour: unknown key"},
        BadFile{R"({"stories": []})", "stories: given, but there are no spreads"},
        BadFile{R"({"stories": [{"text": "x"}], "spreads": [{"items": [{"type": "table"}]}]})",
                "spreads[0].items[0].type: unknown item type \"table\""},
        BadFile{
            R"({"stories": [{"text": "x"}], "spreads": [{"items": [{"type": "text", "story": 1}]}]})",
            "spreads[0].items[0].story: 1 is outside 0..0"},
        BadFile{R"({"spreads": [{"items": [{"type": "text", "story": 0}]}]})",
                "spreads[0].items[0].story: 0 is outside 0..-1"},
        BadFile{
            R"({"stories": [{"text": "abc"}], "spreads": [{"items": [{"type": "text", "story": 0, "selection": [1, 4]}]}]})",
            "spreads[0].items[0].selection[1]: 4 is outside 0..3"},
        BadFile{
            R"({"stories": [{"text": "abc"}], "spreads": [{"items": [{"type": "text", "story": 0, "selection": [2, 1]}]}]})",
            "selection: the start lies after the end"},
        BadFile{
            R"({"stories": [{"text": "ab", "anchors": [{"at": 3, "item": {"type": "picture"}}]}], )"
            R"("spreads": []})",
            "stories[0].anchors[0].at: 3 is past the end of the text"},
        BadFile{
            R"({"stories": [{"text": "ab", "anchors": [{"at": 1, "item": {"type": "picture"}}, )"
            R"({"at": 1, "item": {"type": "picture"}}]}], "spreads": []})",
            "1 holds another anchor"},
        BadFile{
            R"({"stories": [{"text": "ab", "anchors": [{"at": 1, "item": {"type": "text", "story": 1}}]}, )"
            R"({"text": "cd", "anchors": [{"at": 0, "item": {"type": "group", "items": )"
            R"([{"type": "text", "story": 0}]}}]}], "spreads": []})",
            "anchored boxes form a cycle: story 0 -> story 1 -> story 0"},
        BadFile{
            R"({"stories": [{"text": "ab", "anchors": [{"at": 1, "item": {"type": "text", "story": 0}}]}], )"
            R"("spreads": []})",
            "cycle: story 0 -> story 0"},
        BadFile{
            R"({"stories": [{"text": "x"}], "spreads": [{"items": [{"id": "a", "type": "picture"}, )"
            R"({"id": "a", "type": "group", "items": []}]}]})",
            "spreads[0].items[1].id: \"a\" is used by another item"},
        BadFile{R"({"stories": [{"text": "a\nb", "paragraphs": [0, 0, 0]}], )"
                R"("spreads": []})",
                "stories[0].paragraphs: 3 numbers for 2 paragraphs"},
        BadFile{R"({"stories": [{"text": "a", "paragraphs": [1]}], "spreads": []})",
                "stories[0].paragraphs[0]: 1 is outside 0..0"},
        BadFile{R"({"stories": [{"text": "a", "noBreak": [[0, 2]]}], "spreads": []})",
                "stories[0].noBreak[0][1]: 2 is outside 0..1"},
        BadFile{
            R"({"stories": [{"text": "abc"}], "spreads": [{"items": [)"
            R"({"type": "text", "story": 0, "selection": [0, 1]}, {"type": "text", "story": 0, "selection": [1, 2]}]}]})",
            "spreads[0].items[1].selection: differs from the selection another box"},
        BadFile{R"({"spreads": [], "current": "nobody"})",
                "current: no item has the id \"nobody\""},
        BadFile{R"({"spreads": [{"items": [{"type": "picture", "items": []}]}]})",
                "spreads[0].items[0].items: only groups have items"},
        // A key given twice would keep only its last value.
        BadFile{R"({"stories": [{"text": "Ala ma kota", "text": "Zupelnie inny"}], "spreads": []})",
                "stories[0].text: the key is given twice"},
        BadFile{R"({"language": "pl", "spreads": [], "language": "en"})",
                "language: the key is given twice"},
        BadFile{R"({"stories": [{"text": "x"}], "spreads": [{"items": [{"type": "picture"}, )"
                R"({"type": "group", "items": [{"type": "picture", "suppress": true, )"
                R"("suppress": false}]}]}]})",
                "spreads[0].items[1].items[0].suppress: the key is given twice"}));

std::string Repeat(const std::string& piece, int times) {
    std::string result;
    for (int i = 0; i < times; ++i)
        result += piece;
    return result;
}

// A picture inside `depth` groups, as the one item of a spread.
std::string NestedGroupsFile(int depth) {
    return R"({"spreads": [{"items": [)" + Repeat(R"({"type": "group", "items": [)", depth) +
           R"({"type": "picture"})" + Repeat("]}", depth) + "]}]}";
}

// Stories 0..count-1, each anchoring a box of the next; the last one's anchor points
// back to story `last` (no anchor when it is -1).
std::string AnchorChainFile(int count, int last) {
    std::string stories;
    for (int s = 0; s < count; ++s) {
        int next = s + 1 < count ? s + 1 : last;
        stories += s > 0 ? ", " : "";
        stories +=
            next < 0 ? R"({"text": "end"})"
                     : R"({"text": "x", "anchors": [{"at": 1, "item": {"type": "text", "story": )" +
                           std::to_string(next) + "}}]}";
    }
    return R"({"stories": [)" + stories +
           R"(], "spreads": [{"items": [{"type": "text", "story": 0}]}]})";
}

std::string ManyMembersFile(int count) {
    std::string members = R"({"type": "picture"})";
    for (int i = 1; i < count; ++i)
        members += R"(, {"type": "picture"})";
    return R"({"spreads": [{"items": [{"type": "group", "items": [)" + members + "]}]}]}";
}

// Files shaped to exhaust the reader: each is refused with a message, without
// exhausting the stack or the memory on the way.
struct HostileFile {
    const char* name;
    std::string (*make)();
    const char* message;  // expected within the refusal
};

class HostileDocument : public testing::TestWithParam<HostileFile> {};

TEST_P(HostileDocument, IsRefusedWithAMessage) {
    MemoryHost host;
    std::string error;
    EXPECT_FALSE(LoadDocumentText(GetParam().make(), host, error));
    EXPECT_NE(error.find(GetParam().message), std::string::npos) << error;
    EXPECT_FALSE(host.document.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HostileDocument,
    testing::Values(
        HostileFile{
            "NumberPastEveryNumberType",
            [] {
                return std::string(
                    R"({"stories": [{"text": "a", "paragraphs": [1e400]}], "spreads": []})");
            },
            "bad JSON: number overflow parsing '1e400'"},
        HostileFile{"NumberPastTheSignedRange",
                    [] {
                        return std::string(
                            R"({"stories": [{"text": "a", "paragraphs": [18446744073709551615]}], )"
                            R"("spreads": []})");
                    },
                    "stories[0].paragraphs[0]: 18446744073709551615 is outside 0..0"},
        HostileFile{
            "ArraysNestedDeep",
            [] { return R"({"language": )" + Repeat("[", 100000) + Repeat("]", 100000) + "}"; },
            "bad JSON: arrays and objects nested more than 100 deep"},
        HostileFile{"ObjectsNestedDeep",
                    [] { return Repeat(R"({"a": )", 100000) + "1" + Repeat("}", 100000); },
                    "bad JSON: arrays and objects nested more than 100 deep"},
        HostileFile{"GroupsNestedDeep", [] { return NestedGroupsFile(100000); },
                    "bad JSON: arrays and objects nested more than 100 deep"},
        HostileFile{"GroupsJustTooDeep", [] { return NestedGroupsFile(48); },
                    "bad JSON: arrays and objects nested more than 100 deep"},
        HostileFile{"LongCycleOfAnchoredBoxes", [] { return AnchorChainFile(30000, 0); },
                    "stories[0].anchors: anchored boxes form a cycle: story 0 -> story 1 -> story "
                    "2 -> story 3 -> story 4 -> story 5 -> story 6 -> story 7 -> (29992 more) -> "
                    "story 0"},
        HostileFile{"GroupPastASixteenBitCount", [] { return ManyMembersFile(32768); },
                    "spreads[0].items[0].items: more than 32767 items"},
        HostileFile{"SpreadsPastASixteenBitCount",
                    [] { return R"({"spreads": [{})" + Repeat(", {}", 32767) + "]}"; },
                    "spreads: more than 32767 spreads"},
        HostileFile{"AnchorSplittingACharacter",
                    [] {
                        return std::string(
                            R"({"stories": [{"text": "a\ud83d\ude00b", "anchors": [{"at": 2, )"
                            R"("item": {"type": "picture"}}]}], "spreads": []})");
                    },
                    "stories[0].anchors[0].at: 2 lies within a character"}),
    [](const testing::TestParamInfo<HostileFile>& info) { return std::string(info.param.name); });

// The largest shapes the reader accepts load and save back unchanged.
TEST(DocumentFile, DeepestGroupsAndLongAnchorChainsRoundTrip) {
    for (const std::string& file :
         {NestedGroupsFile(47), AnchorChainFile(30000, -1), ManyMembersFile(32767)}) {
        MemoryHost host;
        std::string error;
        ASSERT_TRUE(LoadDocumentText(file, host, error)) << error;
        std::string saved = SaveDocumentText(host);
        MemoryHost again;
        ASSERT_TRUE(LoadDocumentText(saved, again, error)) << error;
        EXPECT_EQ(SaveDocumentText(again), saved);
    }
}

TEST(DocumentFile, OverlappingNoBreakRangesMarkTheirUnion) {
    MemoryHost host;
    std::string error;
    ASSERT_TRUE(LoadDocumentText(
        R"({"stories": [{"text": "abcdefgh", "noBreak": [[1, 3], [2, 2], [0, 2], [5, 7], [6, 7]]}], )"
        R"("spreads": []})",
        host, error))
        << error;
    std::string marked;
    for (int32_t p = 0; p < 8; ++p)
        marked += (host.document->stories[0].StyleAt(p) & XT_STYLE_NO_BREAK) ? 'x' : '.';
    EXPECT_EQ(marked, "xxx..xx.");
}

}  // namespace
