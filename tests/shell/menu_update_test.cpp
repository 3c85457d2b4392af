// The menu update before a menu opens: which items are enabled and what the box,
// selection and group items are called, for the states a document can be in.
#include <gtest/gtest.h>

#include "plugin_fixture.h"

namespace {

using shelltest::OneBox;
using shelltest::PluginFixture;

struct Expected {
    const char* hyphenate;  // and its enabling, shared by Remove Hyphens
    bool boxItems;
    const char* removeHyphens;
    bool suggest;
    bool document;  // Remove hyphens from document, Check Document
    const char* checkWord;
    bool checkWord_;
    bool checkStory;
    const char* typography;
};

std::string Line(bool enabled, const std::string& title) {
    return std::string("  ") + (enabled ? "+ " : "- ") + title + "\n";
}

std::string Listing(const Expected& e) {
    return "Polish Hyphenation\n" + Line(e.boxItems, e.hyphenate) +
           Line(e.boxItems, e.removeHyphens) + Line(e.suggest, "Suggest Hyphenation...") +
           Line(e.document, "Remove hyphens from document") + "  ----\n" +
           Line(true, "Hyphenation Preferences...") + Line(true, "About Tarnik...") +
           "Polish Spell Checker\n" + Line(e.checkWord_, e.checkWord) +
           Line(e.checkStory, "Check Story...") + Line(e.document, "Check Document...") +
           "  ----\n" + Line(true, "Dictionary Preferences...") + Line(true, "About Tarnik...") +
           "Typography\n" + Line(e.boxItems, e.typography) + "  ----\n" +
           Line(true, "Typography Preferences...") + Line(true, "About Tarnik...");
}

const char kGroupOfPicture[] =
    R"({"spreads": [{"items": [{"id": "g", "type": "group", "items": [{"id": "p", "type": "picture"}]}]}], "current": "g"})";
const char kPicture[] =
    R"({"spreads": [{"items": [{"id": "p", "type": "picture"}]}], "current": "p"})";
const char kNoBox[] = R"({"spreads": [{"items": [{"id": "p", "type": "picture"}]}]})";

TEST(MenuUpdate, EnablesAndTitlesTheItemsFromTheCurrentBox) {
    struct Case {
        const char* name;
        std::string document;
        Expected expected;
    };
    const Case cases[] = {
        {"no document",
         R"({"language": "en"})",
         {"Hyphenate Box", false, "Remove Hyphens From Box", false, false, "Check Word...", false,
          false, "Typography In Box"}},
        {"no current box",
         kNoBox,
         {"Hyphenate Box", false, "Remove Hyphens From Box", false, true, "Check Word...", false,
          false, "Typography In Box"}},
        {"caret in text",
         OneBox("kot i pies", 2, 2),
         {"Hyphenate Box", true, "Remove Hyphens From Box", true, true, "Check Word...", true, true,
          "Typography In Box"}},
        {"selected text",
         OneBox("kot i pies", 0, 3),
         {"Hyphenate Selection", true, "Remove Hyphens From Selection", true, true,
          "Check Selection...", true, true, "Typography In Selection"}},
        {"item tool, selected text",
         OneBox("kot i pies", 0, 3, "item"),
         {"Hyphenate Box", true, "Remove Hyphens From Box", false, true, "Check Word...", false,
          true, "Typography In Box"}},
        {"empty story",
         OneBox(""),
         {"Hyphenate Box", false, "Remove Hyphens From Box", false, true, "Check Word...", false,
          false, "Typography In Box"}},
        {"group without text",
         kGroupOfPicture,
         {"Hyphenate Boxes", true, "Remove Hyphens From Boxes", false, true, "Check Word...", false,
          false, "Typography In Boxes"}},
        {"picture box",
         kPicture,
         {"Hyphenate Box", false, "Remove Hyphens From Box", false, true, "Check Word...", false,
          false, "Typography In Box"}},
    };
    for (const Case& c : cases) {
        PluginFixture f(c.document);
        ASSERT_EQ(f.started, 0) << c.name;
        EXPECT_EQ(f.UpdatedMenus(), Listing(c.expected)) << c.name;
    }
}

TEST(MenuUpdate, TitlesFollowTheBoxFromOneUpdateToTheNext) {
    PluginFixture f(kGroupOfPicture);
    f.UpdatedMenus();
    EXPECT_NE(f.ItemTitled("Hyphenate Boxes"), 0);
    // A box of text replaces the group: the box titles come back.
    std::string error;
    ASSERT_TRUE(tarnik::host::LoadDocumentText(OneBox("kot", 0, 3), f.host, error)) << error;
    f.UpdatedMenus();
    EXPECT_EQ(f.ItemTitled("Hyphenate Boxes"), 0);
    EXPECT_NE(f.ItemTitled("Hyphenate Selection"), 0);
    EXPECT_NE(f.ItemTitled("Check Selection..."), 0);
    // An empty story changes no title.
    ASSERT_TRUE(tarnik::host::LoadDocumentText(OneBox(""), f.host, error)) << error;
    f.UpdatedMenus();
    EXPECT_NE(f.ItemTitled("Hyphenate Selection"), 0);
}

TEST(MenuUpdate, TitlesAreTranslatedWhenTheHostRunsInPolish) {
    PluginFixture f(OneBox("kot i pies", 0, 3, "content", "pl"));
    std::string menus = f.UpdatedMenus();
    for (const char* title : {"Dzielenie wyrazów w zaznaczeniu", "Usuń dywizy z zaznaczenia",
                              "Sprawdź zaznaczenie...", "Typografia w zaznaczeniu"}) {
        EXPECT_NE(menus.find(title), std::string::npos) << title;
    }
    PluginFixture g(R"({"language": "pl", )" + std::string(kGroupOfPicture + 1));
    menus = g.UpdatedMenus();
    for (const char* title :
         {"Dzielenie wyrazów w ramkach", "Usuń dywizy z ramek", "Typografia w ramkach"}) {
        EXPECT_NE(menus.find(title), std::string::npos) << title;
    }
}

}  // namespace
