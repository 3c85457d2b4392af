// tarnik lsp driven through its protocol, as an editor drives it.
#include <fstream>
#include <iterator>

#include "lsp_client.h"
#include "tarnik/text_codec.h"

namespace clitest {
namespace {

using LspServer = LspClient;

std::string Framed(const std::string& body) {
    return "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

// The codes of the diagnostics with their ranges.
std::vector<std::pair<std::string, std::vector<int>>> Found(const Json& diagnostics) {
    std::vector<std::pair<std::string, std::vector<int>>> found;
    for (const Json& diagnostic : diagnostics)
        found.emplace_back(diagnostic["code"].get<std::string>(), RangeOf(diagnostic));
    return found;
}

std::vector<std::string> Codes(const Json& diagnostics) {
    std::vector<std::string> codes;
    for (const Json& diagnostic : diagnostics)
        codes.push_back(diagnostic["code"].get<std::string>());
    return codes;
}

// `text` with `edits` (UTF-16 positions) made, as a client makes them.
std::string Applied(const std::string& text, Json edits) {
    std::vector<std::u16string> lines;
    std::u16string units = tarnik::Utf8ToUtf16(text);
    for (size_t from = 0;;) {
        size_t end = units.find(u'\n', from);
        lines.push_back(units.substr(from, end - from));
        if (end == std::u16string::npos)
            break;
        from = end + 1;
    }
    // From the last to the first, so that the places of the others stay.
    std::sort(edits.begin(), edits.end(),
              [](const Json& a, const Json& b) { return RangeOf(a) > RangeOf(b); });
    for (const Json& edit : edits) {
        std::vector<int> r = RangeOf(edit);
        EXPECT_EQ(r[0], r[2]) << "an edit over a line end";
        std::u16string& line = lines[static_cast<size_t>(r[0])];
        line.replace(static_cast<size_t>(r[1]), static_cast<size_t>(r[3] - r[1]),
                     tarnik::Utf8ToUtf16(edit["newText"].get<std::string>()));
    }
    std::u16string joined;
    for (size_t i = 0; i < lines.size(); ++i)
        joined += (i ? u"\n" : u"") + lines[i];
    return tarnik::Utf16ToUtf8(joined);
}

TEST_F(LspServer, AnswersMalformedMessagesAndGoesOn) {
    Start();
    Initialize();
    struct Case {
        const char* what;
        std::string bytes;
        int code;
    };
    const Case cases[] = {
        {"no Content-Length", "Content-Type: text\r\n\r\n", -32700},
        {"a length that is no number", "Content-Length: ten\r\n\r\n", -32700},
        {"no JSON", Framed("{\"jsonrpc\": \"2.0\", \"id\": 3,"), -32700},
        {"JSON nested too deep", Framed(std::string(100000, '[') + std::string(100000, ']')),
         -32700},
        {"no object", Framed("[1, 2]"), -32600},
        {"an id that is no number or string", Framed(R"({"jsonrpc":"2.0","id":[1],"method":"x"})"),
         -32600},
        {"a request without a method", Framed(R"({"jsonrpc":"2.0","id":7})"), -32600},
        {"an unknown method", Framed(R"({"jsonrpc":"2.0","id":8,"method":"tarnik/nothing"})"),
         -32601},
        {"bytes before a header", "}\r\n" + Framed(R"({"jsonrpc":"2.0","id":9,"method":"x/y"})"),
         -32700},
    };
    int probe = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SendRaw(c.bytes);
        Json answer = Receive();
        ASSERT_FALSE(answer.is_null());
        EXPECT_EQ(answer["error"]["code"], c.code) << answer.dump();
        // The server goes on: a request after it is answered.
        Request(++probe, "textDocument/nothing");
        Json next = Answer(probe);
        ASSERT_FALSE(next.is_null());
        EXPECT_EQ(next["error"]["code"], -32601);
    }
}

TEST_F(LspServer, RefusesAMessageLongerThanItTakes) {
    Start();
    Initialize();
    SendRaw("Content-Length: 300000000\r\n\r\n{");
    Json answer = Receive();
    EXPECT_EQ(answer["error"]["code"], -32700) << answer.dump();
    EXPECT_EQ(answer["error"]["message"], "a message of 300000000 bytes, longer than 256 MiB");
}

TEST_F(LspServer, SurvivesParametersOfEveryKind) {
    Start();
    Initialize();
    OpenDocument("file:///a.md", "Ala ma kotta.");
    Diagnostics("file:///a.md");
    const Json notifications[] = {
        {{"method", "textDocument/didOpen"}, {"params", 5}},
        {{"method", "textDocument/didOpen"}, {"params", {{"textDocument", {{"uri", 7}}}}}},
        {{"method", "textDocument/didChange"},
         {"params", {{"textDocument", {{"uri", "file:///a.md"}}}, {"contentChanges", "x"}}}},
        {{"method", "textDocument/didChange"},
         {"params",
          {{"textDocument", {{"uri", "file:///a.md"}, {"version", "v"}}},
           {"contentChanges",
            {{{"range", {{"start", {{"line", "0"}}}, {"end", nullptr}}}, {"text", 3}},
             {{"range",
               {{"start", {{"line", 1e300}, {"character", -5}}},
                {"end", {{"line", -1}, {"character", 1LL << 62}}}}},
              {"text", "😀 x"}}}}}}},
        {{"method", "workspace/didChangeConfiguration"}, {"params", {{"settings", {1, 2}}}}},
        {{"method", "workspace/didChangeConfiguration"},
         {"params", {{"settings", {{"1Slownik", {{"3PominWERSALIKI", "1\n[x]"}}}}}}}},
    };
    for (const Json& notification : notifications)
        Notify(notification["method"], notification["params"]);
    SendRaw(Framed(
        R"({"jsonrpc":"2.0","method":"textDocument/didChange","params":{"text":"\ud800"}})"));
    const Json requests[] = {
        {{"method", "textDocument/codeAction"},
         {"params", {{"textDocument", {{"uri", "file:///a.md"}}}, {"range", "x"}}}},
        {{"method", "textDocument/codeAction"},
         {"params",
          {{"textDocument", {{"uri", "file:///a.md"}}},
           {"range",
            {{"start", {{"line", 0}, {"character", 0}}},
             {"end", {{"line", 999}, {"character", 999}}}}},
           {"context", {{"only", "quickfix"}}}}}},
        {{"method", "workspace/executeCommand"}, {"params", {{"command", "tarnik.addWord"}}}},
        {{"method", "workspace/executeCommand"},
         {"params", {{"command", "tarnik.ignoreWord"}, {"arguments", {1, 2}}}}},
    };
    int id = 10;
    for (const Json& request : requests) {
        Request(++id, request["method"], request["params"]);
        EXPECT_FALSE(Answer(id).is_null()) << request.dump();
    }
    // Still serving, with the document as the changes that could be read left it.
    Request(99, "shutdown");
    EXPECT_TRUE(Answer(99)["result"].is_null());
    Notify("exit");
    EXPECT_EQ(Status(), 0);
}

TEST_F(LspServer, KeepsTheLifecycle) {
    Start();
    // Before initialize a request is refused, a notification passed over.
    Notify("textDocument/didOpen", {{"textDocument", {{"uri", "file:///x"}, {"text", "kotta"}}}});
    Request(5, "shutdown");
    EXPECT_EQ(Answer(5)["error"]["code"], -32002);
    Json initialized = Initialize();
    EXPECT_EQ(initialized["result"]["capabilities"]["positionEncoding"], "utf-16");
    Request(2, "initialize", {{"capabilities", Json::object()}});
    EXPECT_EQ(Answer(2)["error"]["code"], -32600);
    Request(3, "shutdown");
    EXPECT_TRUE(Answer(3)["result"].is_null());
    // After shutdown every request is an invalid one.
    Request(4, "textDocument/codeAction");
    EXPECT_EQ(Answer(4)["error"]["code"], -32600);
    Notify("exit");
    EXPECT_EQ(Status(), 0);
}

TEST_F(LspServer, ExitsWithOneWithoutShutdownOrWhenTheClientGoes) {
    Start();
    Initialize();
    Notify("exit");
    EXPECT_EQ(Status(), 1);
    Start();
    Initialize();
    CloseInput();
    EXPECT_EQ(Status(), 1);
}

TEST_F(LspServer, RefusesWhatConcernsADocumentNeverOpened) {
    Start();
    Initialize();
    Notify("textDocument/didChange", {{"textDocument", {{"uri", "file:///never"}, {"version", 2}}},
                                      {"contentChanges", {{{"text", "kotta"}}}}});
    Json logged = Receive();
    EXPECT_EQ(logged["method"], "window/logMessage");
    Request(
        2, "textDocument/codeAction",
        {{"textDocument", {{"uri", "file:///never"}}},
         {"range",
          {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 1}}}}},
         {"context", {{"diagnostics", Json::array()}}}});
    EXPECT_EQ(Answer(2)["error"]["code"], -32602);
    Request(3, "workspace/executeCommand",
            {{"command", "tarnik.ignoreWord"}, {"arguments", {"file:///never", "kotta"}}});
    EXPECT_EQ(Answer(3)["error"]["code"], -32602);
}

TEST_F(LspServer, CancelsARequestStillWaiting) {
    Start();
    Initialize();
    OpenDocument("file:///a.md", "Ala ma kotta.");
    Diagnostics("file:///a.md");
    Json request = {
        {"jsonrpc", "2.0"},
        {"id", 7},
        {"method", "textDocument/codeAction"},
        {"params",
         {{"textDocument", {{"uri", "file:///a.md"}}},
          {"range",
           {{"start", {{"line", 0}, {"character", 8}}}, {"end", {{"line", 0}, {"character", 8}}}}},
          {"context", {{"diagnostics", Json::array()}}}}}};
    Json cancel = {{"jsonrpc", "2.0"}, {"method", "$/cancelRequest"}, {"params", {{"id", 7}}}};
    SendRaw(Framed(request.dump()) + Framed(cancel.dump()));
    EXPECT_EQ(Answer(7)["error"]["code"], -32800);
}

TEST_F(LspServer, CountsColumnsInTheClientsEncoding) {
    const std::string text = "Ala ma kotta.\n😀 Mówił, że ksiazka leży.";
    struct Case {
        Json capabilities;
        std::string encoding;
        std::vector<int> ksiazka;
    };
    const Case cases[] = {
        {Json::object(), "utf-16", {1, 13, 1, 20}},
        {{{"general", {{"positionEncodings", {"utf-8", "utf-16"}}}}}, "utf-8", {1, 18, 1, 25}},
        {{{"general", {{"positionEncodings", {"utf-16", "utf-8"}}}}}, "utf-8", {1, 18, 1, 25}},
        {{{"general", {{"positionEncodings", {"utf-16", "utf-32"}}}}}, "utf-16", {1, 13, 1, 20}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.encoding);
        Start();
        Json answer = Initialize(Json::object(), c.capabilities);
        EXPECT_EQ(answer["result"]["capabilities"]["positionEncoding"], c.encoding);
        OpenDocument("file:///a.md", text);
        Json diagnostics = Diagnostics("file:///a.md");
        ASSERT_EQ(diagnostics.size(), 2u) << diagnostics.dump();
        EXPECT_EQ(RangeOf(diagnostics[0]), (std::vector<int>{0, 7, 0, 12}));
        EXPECT_EQ(RangeOf(diagnostics[1]), c.ksiazka);
        EXPECT_EQ(diagnostics[1]["message"], "'ksiazka' is not in the dictionary");
        EXPECT_EQ(diagnostics[1]["source"], "tarnik");
        EXPECT_EQ(diagnostics[1]["severity"], 3);
        TearDown();
        SetUp();
    }
}

TEST_F(LspServer, FollowsIncrementalAndFullChanges) {
    Start();
    Initialize({{"debounce", 0}, {"typography", false}});
    OpenDocument("file:///a.txt", "Ala ma kotta.\r\nDruga linia z błendem.\r\n😀 trzecia",
                 "plaintext");
    EXPECT_EQ(Found(Diagnostics("file:///a.txt")),
              (decltype(Found({})){{"spelling", {0, 7, 0, 12}}, {"spelling", {1, 14, 1, 21}}}));
    auto change = [&](int version, const Json& changes) {
        Notify("textDocument/didChange",
               {{"textDocument", {{"uri", "file:///a.txt"}, {"version", version}}},
                {"contentChanges", changes}});
        return Found(Diagnostics("file:///a.txt"));
    };
    auto range = [](int l1, int c1, int l2, int c2) {
        return Json{{"start", {{"line", l1}, {"character", c1}}},
                    {"end", {{"line", l2}, {"character", c2}}}};
    };
    // One word corrected; then a line broken in two and a word put in, two
    // changes in one message, the second in the places the first made; then a
    // line end taken out.
    EXPECT_EQ(change(2, {{{"range", range(1, 14, 1, 21)}, {"text", "błędem"}}}),
              (decltype(Found({})){{"spelling", {0, 7, 0, 12}}}));
    EXPECT_EQ(change(3, {{{"range", range(0, 4, 0, 4)}, {"text", "\r\nx "}},
                         {{"range", range(3, 3, 3, 3)}, {"text", "bbbbłąd "}}}),
              (decltype(Found({})){{"spelling", {1, 5, 1, 10}}, {"spelling", {3, 3, 3, 10}}}));
    EXPECT_EQ(change(4, {{{"range", range(0, 4, 1, 0)}, {"text", ""}}}),
              (decltype(Found({})){{"spelling", {0, 9, 0, 14}}, {"spelling", {2, 3, 2, 10}}}));
    // Columns inside a surrogate pair and past a line's end are clamped.
    EXPECT_EQ(change(5, {{{"range", range(2, 1, 2, 99)}, {"text", " kotta"}}}),
              (decltype(Found({})){{"spelling", {0, 9, 0, 14}}, {"spelling", {2, 1, 2, 6}}}));
    EXPECT_EQ(change(6, {{{"text", "Całkiem nowy tekst."}}}), (decltype(Found({})){}));
}

TEST_F(LspServer, OffersSuggestionsAndTheUserDictionary) {
    Start();
    Initialize();
    OpenDocument("file:///a.md", "Ala ma kotta.");
    OpenDocument("file:///b.md", "Kot i kotta.");
    Diagnostics("file:///a.md");
    Diagnostics("file:///b.md");
    Request(
        2, "textDocument/codeAction",
        {{"textDocument", {{"uri", "file:///a.md"}}},
         {"range",
          {{"start", {{"line", 0}, {"character", 9}}}, {"end", {{"line", 0}, {"character", 9}}}}},
         {"context", {{"diagnostics", Json::array()}}}});
    Json actions = Answer(2)["result"];
    ASSERT_GE(actions.size(), 3u) << actions.dump();
    EXPECT_EQ(actions[0]["title"], "Change to 'kota'");
    EXPECT_EQ(actions[0]["isPreferred"], true);
    EXPECT_EQ(actions[1]["isPreferred"], false);
    EXPECT_EQ(Applied("Ala ma kotta.", actions[0]["edit"]["changes"]["file:///a.md"]),
              "Ala ma kota.");
    const Json& ignore = actions[actions.size() - 1];
    const Json& add = actions[actions.size() - 2];
    EXPECT_EQ(ignore["command"]["command"], "tarnik.ignoreWord");
    EXPECT_EQ(add["command"]["command"], "tarnik.addWord");

    // Ignored in one document, still misspelt in the other.
    Request(3, "workspace/executeCommand", ignore["command"]);
    EXPECT_TRUE(Answer(3)["result"].is_null());
    EXPECT_TRUE(Diagnostics("file:///a.md").empty());
    EXPECT_EQ(Codes(Diagnostics("file:///b.md")),
              (std::vector<std::string>{"spelling", "after-words"}));
    // Added: gone everywhere, and kept in the user dictionary.
    Request(4, "workspace/executeCommand", add["command"]);
    EXPECT_TRUE(Answer(4)["result"].is_null());
    EXPECT_EQ(Codes(Diagnostics("file:///b.md")), (std::vector<std::string>{"after-words"}));
    std::string listed = Path("listed");
    std::string command = std::string(TARNIK_BIN_DIR) + "/tarnik dict --user '" + Path("user.dic") +
                          "' list > '" + listed + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::ifstream in(listed);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "kotta\n");
    // A word that cannot be stored is refused with the reason.
    Request(5, "workspace/executeCommand",
            {{"command", "tarnik.addWord"}, {"arguments", {"12 kot"}}});
    Json refused = Answer(5);
    EXPECT_EQ(refused["error"]["code"], -32602) << refused.dump();
}

TEST_F(LspServer, CorrectsTypographyLikeTheTypoCommand) {
    const std::string text =
        "Mówił \"tak\" - i poszedł.\nW 2020 r. było 5 kg mąki , a potem( znowu ) nic.\n\n"
        "Drugi  akapit, z \"cytatem\".";
    Start();
    Initialize();
    OpenDocument("file:///a.md", text);
    Json diagnostics = Diagnostics("file:///a.md");
    for (const Json& diagnostic : diagnostics)
        EXPECT_EQ(diagnostic["severity"], 4) << diagnostic.dump();
    std::vector<std::string> codes = Codes(diagnostics);
    for (const char* rule : {"quotes", "dashes", "dash-binding", "after-words", "after-digits",
                             "remove-space-before", "insert-space-before", "repeated-spaces"})
        EXPECT_NE(std::ranges::find(codes, rule), codes.end()) << rule << " " << diagnostics.dump();

    Request(
        2, "textDocument/codeAction",
        {{"textDocument", {{"uri", "file:///a.md"}}},
         {"range",
          {{"start", {{"line", 0}, {"character", 6}}}, {"end", {{"line", 0}, {"character", 6}}}}},
         {"context", {{"diagnostics", Json::array()}}}});
    Json actions = Answer(2)["result"];
    ASSERT_EQ(actions.size(), 2u) << actions.dump();
    EXPECT_EQ(Applied(text, actions[0]["edit"]["changes"]["file:///a.md"]),
              "Mówił „tak\" - i poszedł.\nW 2020 r. było 5 kg mąki , a potem( znowu ) nic.\n\n"
              "Drugi  akapit, z \"cytatem\".");
    // The whole document as one edit, as tarnik typo corrects it paragraph by paragraph.
    std::string corrected = Applied(text, actions[1]["edit"]["changes"]["file:///a.md"]);
    std::string expected;
    for (const char* paragraph :
         {"Mówił \"tak\" - i poszedł.\nW 2020 r. było 5 kg mąki , a potem( znowu ) nic.",
          "Drugi  akapit, z \"cytatem\"."}) {
        std::ofstream(Path("p.txt"), std::ios::binary) << paragraph;
        std::string command = std::string(TARNIK_BIN_DIR) + "/tarnik typo '" + Path("p.txt") +
                              "' > '" + Path("p.out") + "'";
        ASSERT_EQ(std::system(command.c_str()), 0);
        std::ifstream in(Path("p.out"), std::ios::binary);
        expected +=
            (expected.empty() ? "" : "\n\n") + std::string(std::istreambuf_iterator<char>(in), {});
    }
    EXPECT_EQ(corrected, expected);
}

TEST_F(LspServer, TakesSettingsAtStartAndLater) {
    Start();
    Initialize({{"tarnik",
                 {{"typography", {{"quotes", false}, {"dashes", false}}},
                  {"spellingSeverity", "hint"},
                  {"1Slownik", {{"3PominWERSALIKI", 1}}}}}});
    OpenDocument("file:///a.md", "KSIAZKA ma \"kotta\" - i już.");
    Json diagnostics = Diagnostics("file:///a.md");
    std::vector<std::string> codes = Codes(diagnostics);
    EXPECT_EQ(std::ranges::count(codes, "spelling"), 1);
    EXPECT_EQ(std::ranges::count(codes, "quotes"), 0);
    EXPECT_EQ(std::ranges::count(codes, "dashes"), 0);
    EXPECT_EQ(diagnostics[0]["severity"], 4);

    // Later settings: capitals checked, typography off; what is wrong is told
    // and the rest is taken.
    Notify("workspace/didChangeConfiguration", {{"settings",
                                                 {{"tarnik",
                                                   {{"1Slownik", {{"3PominWERSALIKI", 0}}},
                                                    {"typography", false},
                                                    {"spellingSeverity", "loud"}}}}}});
    Json told = Receive();
    EXPECT_EQ(told["method"], "window/showMessage");
    EXPECT_EQ(Codes(Diagnostics("file:///a.md")),
              (std::vector<std::string>{"spelling", "spelling"}));
    Notify("workspace/didChangeConfiguration",
           {{"settings",
             {{"tarnik",
               {{"1Slownik", {{"NieMaTakiego", 1}}}, {"typography", {{"no-such-rule", true}}}}}}}});
    int problems = 0;
    for (Json message = Receive(); message["method"] == "window/showMessage"; message = Receive())
        ++problems;
    EXPECT_EQ(problems, 2);
}

TEST_F(LspServer, ChecksOnlyTheProseOfMarkup) {
    Start();
    Initialize();
    OpenDocument("file:///a.tex",
                 "\\section{Wstęp} Tekst z błendem.\n\\cite{kotta} $x - y$ i \"cytat\".", "latex");
    EXPECT_EQ(Found(Diagnostics("file:///a.tex")),
              (decltype(Found({})){{"spelling", {0, 24, 0, 31}},
                                   {"after-words", {0, 23, 0, 24}},
                                   {"after-words", {1, 22, 1, 23}},
                                   {"quotes", {1, 23, 1, 24}},
                                   {"quotes", {1, 29, 1, 30}}}));
}

}  // namespace
}  // namespace clitest
