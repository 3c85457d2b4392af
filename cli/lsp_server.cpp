#include "cli/lsp_server.h"

#include <signal.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <deque>
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/lsp_document.h"
#include "cli/lsp_transport.h"
#include "services/typographer.h"
#include "spellcheck/dict_settings.h"
#include "tarnik/text_codec.h"
#include "text/word_finder.h"
#include "typography/typo_settings_store.h"

namespace tarnik::cli {

namespace {

using Json = nlohmann::json;
using Clock = std::chrono::steady_clock;

// The protocol's error codes.
constexpr int kParseError = -32700;
constexpr int kInvalidRequest = -32600;
constexpr int kMethodNotFound = -32601;
constexpr int kInvalidParams = -32602;
constexpr int kServerNotInitialized = -32002;
constexpr int kRequestCancelled = -32800;

// Diagnostic severities.
constexpr int kInformation = 3;
constexpr int kHint = 4;

// JSON nested deeper than this is refused before it is parsed.
constexpr int kMaxNesting = 256;
// A document this long gets its misspelt words published before its
// typography is checked.
constexpr std::size_t kLargeDocument = 256 * 1024;
// A paragraph is corrected this many lines at a time, so that an edit in a
// document without empty lines does not correct all of it again.
constexpr std::size_t kParagraphLines = 64;
// Messages read ahead before they are handled.
constexpr std::size_t kMaxQueued = 64;
// How often the server looks whether the client's process is still there.
constexpr int kWatchIntervalMs = 2000;

constexpr char kSource[] = "tarnik";

// The member `name` of `object`, or null when there is none (or no object).
const Json& Member(const Json& object, const char* name) {
    static const Json none;
    if (!object.is_object())
        return none;
    auto found = object.find(name);
    return found == object.end() ? none : *found;
}

std::string StringOf(const Json& value) {
    return value.is_string() ? value.get<std::string>() : std::string();
}

int64_t IntOf(const Json& value, int64_t otherwise = 0) {
    return value.is_number_integer() ? value.get<int64_t>() : otherwise;
}

// Whether `body` nests arrays and objects deeper than kMaxNesting.
bool TooDeep(std::string_view body) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < body.size(); ++i) {
        char c = body[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxNesting)
                return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

// A string as JSON text.
std::string JsonText(const std::string& text) {
    return Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
}

// A diagnostic's JSON after its range: what is the same wherever it stands.
std::string DiagnosticTail(int severity, const std::string& code, const std::string& message) {
    return ",\"severity\":" + std::to_string(severity) + ",\"source\":\"" + kSource +
           "\",\"code\":" + JsonText(code) + ",\"message\":" + JsonText(message) + "}";
}

// Why a typographic correction is offered, by the rule's name.
std::string RuleDescription(const std::string& rule) {
    static const std::map<std::string, std::string> kDescriptions = {
        {"quotes", "Polish quotation marks"},
        {"guess-quotes", "Polish quotation marks"},
        {"quote-space-fix", "the space beside a quotation mark"},
        {"dashes", "a dash, not a hyphen"},
        {"dash-binding", "a no-break space after a dash"},
        {"repeated-spaces", "a repeated space"},
        {"remove-space-before", "no space before punctuation"},
        {"insert-space-before", "a space before an opening bracket"},
        {"remove-space-after", "no space after an opening bracket"},
        {"insert-space-after", "a space after punctuation"},
        {"remove-chars", "a character to remove"},
        {"after-words", "a no-break space after a short word"},
        {"after-digits", "a no-break space between a number and its unit"},
        {"before-words", "a no-break space before the word"},
        {"space-exceptions", "spacing"},
        {"before-digits", "a no-break space before a number"},
        {"before-roman", "a no-break space before a roman numeral"},
    };
    auto found = kDescriptions.find(rule);
    return found == kDescriptions.end() ? rule : found->second;
}

// A text as a message shows it: a no-break space by name.
std::string Shown(std::string_view text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.substr(i, 2) == "\u00A0") {
            shown += "(no-break space)";
            ++i;
        } else {
            shown += text[i];
        }
    }
    return shown.empty() ? "(nothing)" : shown;
}

// A line's prose codes, as the word finder reads them.
struct ProseSource {
    const std::u16string& codes;
    uint16_t CharAt(int32_t position) const { return codes[static_cast<std::size_t>(position)]; }
    int32_t NextPosition(int32_t position) const { return position + 1; }
};

// The settings a client gives (initializationOptions, or the section "tarnik"
// of workspace/didChangeConfiguration):
//   "1Slownik":   {"3PominWERSALIKI": 1, ...}  the spell checker's keys
//   "typography": {"dashes": false, "inner-quotes": 2, "dash": "em"}, or false
//   "spellingSeverity": "information" or "hint"
//   "debounce": milliseconds to wait after a change before checking
struct Settings {
    services::SpellerOptions speller = {};
    services::TypographerOptions typography = {};
    bool typographyOn = true;
    int severity = kInformation;
    int debounceMs = 250;
};

// Lays `given` over `settings`; the problems of what was not taken. A part
// given replaces the same part given before: "1Slownik" is laid over the
// command line's options (`base`), "typography" over the defaults.
std::vector<std::string> ReadSettings(const Json& given, const services::SpellerOptions& base,
                                      Settings& settings) {
    std::vector<std::string> problems;
    if (given.is_null())
        return problems;
    if (!given.is_object())
        return {"the settings are no JSON object"};
    const Json& dictionary = Member(given, kDictSettingsSection);
    if (dictionary.is_object()) {
        // The keys and values are checked as a settings file's are.
        std::string text = std::string("[") + kDictSettingsSection + "]\n";
        std::vector<std::string> keys;
        for (const auto& [key, value] : dictionary.items()) {
            std::string written = value.is_boolean()          ? (value.get<bool>() ? "1" : "0")
                                  : value.is_number_integer() ? std::to_string(value.get<int64_t>())
                                  : value.is_string()         ? value.get<std::string>()
                                                              : "?";
            if (key.find_first_of("=\n\r[") != std::string::npos ||
                written.find_first_of("\n\r") != std::string::npos) {
                problems.push_back(std::string(kDictSettingsSection) + ": '" + key +
                                   "' cannot be a key");
                continue;
            }
            text += key + "=" + written + "\n";
            keys.push_back(key);
        }
        std::vector<SettingsProblem> refused = CheckDictSettingsText(text);
        for (const SettingsProblem& problem : refused)
            problems.push_back(std::string(kDictSettingsSection) + ": " + problem.message);
        if (refused.empty()) {
            settings.speller = base;
            for (const std::string& key : keys) {
                bool on = dictionary[key].is_boolean()
                              ? dictionary[key].get<bool>()
                              : IntOf(dictionary[key], 1) != 0 || StringOf(dictionary[key]) == "1";
                if (key == kDictSkipCapitalsKey)
                    settings.speller.skipCapitals = on;
                else if (key == kDictSkipDigitsKey)
                    settings.speller.skipDigits = on;
                else if (key == kDictRankSuggestionsKey)
                    settings.speller.alphabetical = !on;
                else if (key == kDictUseUserDictionaryKey && !on)
                    problems.push_back(std::string(kDictSettingsSection) +
                                       ": the language server always uses the user dictionary");
            }
        }
    } else if (!dictionary.is_null()) {
        problems.push_back(std::string(kDictSettingsSection) + " is no JSON object");
    }
    const Json& typography = Member(given, "typography");
    if (typography.is_boolean()) {
        settings.typographyOn = typography.get<bool>();
    } else if (typography.is_object()) {
        services::TypographerOptions options;
        for (const auto& [name, value] : typography.items()) {
            if (name == "inner-quotes" && value.is_number_integer()) {
                options.innerQuotes = static_cast<int>(
                    std::clamp<int64_t>(value.get<int64_t>(), -1, 4));  // out of range: refused
            } else if (name == "dash" && (value == "en" || value == "em")) {
                options.emDash = value == "em";
            } else if (value.is_boolean()) {
                options.rules.emplace_back(name, value.get<bool>());
            } else {
                problems.push_back("typography: '" + name + "' takes " +
                                   (name == "inner-quotes" ? "0, 1, 2 or 3"
                                    : name == "dash"       ? "\"en\" or \"em\""
                                                           : "true or false"));
            }
        }
        settings.typography = std::move(options);
    } else if (!typography.is_null()) {
        problems.push_back("typography is no JSON object");
    }
    const Json& severity = Member(given, "spellingSeverity");
    if (severity == "information" || severity == "hint")
        settings.severity = severity == "hint" ? kHint : kInformation;
    else if (!severity.is_null())
        problems.push_back("spellingSeverity is \"information\" or \"hint\"");
    const Json& debounce = Member(given, "debounce");
    if (debounce.is_number_integer() && debounce.get<int64_t>() >= 0 &&
        debounce.get<int64_t>() <= 10000)
        settings.debounceMs = static_cast<int>(debounce.get<int64_t>());
    else if (!debounce.is_null())
        problems.push_back("debounce is a number of milliseconds, 0 to 10000");
    return problems;
}

// A line as the typography rules read it: each byte of markup, and of the
// blanks between two pieces of markup ("$x - y$"), passed over.
std::string TypographyText(const LspLine& line) {
    enum Kind { kProse, kBlank, kMarkup };
    struct Character {
        std::size_t start;
        std::size_t end;
        Kind kind;
    };
    std::vector<Character> characters;
    std::size_t unit = 0;
    for (std::size_t position = 0; position < line.text.size();) {
        std::size_t start = position;
        std::optional<char32_t> c = DecodeUtf8(line.text, position);
        bool blank = c && (*c == U' ' || *c == U'\t');
        bool markup = !blank && unit < line.prose.size() && line.prose[unit] == u' ';
        characters.push_back({start, position, blank ? kBlank : markup ? kMarkup : kProse});
        unit += c && *c > 0xFFFF ? 2 : 1;
    }
    for (std::size_t k = 0; k < characters.size();) {
        std::size_t end = k;
        while (end < characters.size() && characters[end].kind == kBlank)
            ++end;
        if (end > k && k > 0 && end < characters.size() && characters[k - 1].kind == kMarkup &&
            characters[end].kind == kMarkup) {
            for (std::size_t j = k; j < end; ++j)
                characters[j].kind = kMarkup;
        }
        k = std::max(end, k + 1);
    }
    std::string text = line.text;
    for (const Character& character : characters) {
        if (character.kind == kMarkup)
            std::fill(text.begin() + static_cast<std::ptrdiff_t>(character.start),
                      text.begin() + static_cast<std::ptrdiff_t>(character.end),
                      services::kTypoPassOver);
    }
    return text;
}

class Server {
  public:
    Server(int in, int out, const SpellingOptions& options,
           std::unique_ptr<services::Speller> speller)
        : reader_(in), out_(out), options_(options), speller_(std::move(speller)) {
        settings_.speller = {options.skipCaps, options.skipDigits, options.alphabetical};
        typographer_.Open(settings_.typography);
    }

    int Run();

  private:
    struct Queued {
        LspFrame frame;
        Json message;
    };
    struct Document {
        LspDocument text;
        std::string uri;
        std::optional<Clock::time_point> due;  // when the next check is due
    };

    void Enqueue(LspFrame frame);
    void Handle(Queued& queued);
    void Dispatch(const std::string& method, const Json& id, const Json& params);
    void Reply(const Json& id, Json result);
    void ReplyError(const Json& id, int code, const std::string& message);
    void Notify(const char* method, Json params);
    void Send(const Json& message);
    void ShowMessage(int type, const std::string& text);

    Json Initialize(const Json& params);
    void ApplySettings(const Json& given);
    void Open(const Json& params);
    void Change(const Json& params);
    void Close(const Json& params);
    Json CodeActions(const Json& params);
    Json ExecuteCommand(const Json& params);

    Document* Find(const Json& textDocument);
    void CheckNow(Document& document);
    void CheckSpelling(LspLine& line, const std::set<std::string>& ignored);
    void Publish(Document& document);
    void PublishDue();
    std::optional<int> WaitMs() const;
    void CheckSpellingDue(LspDocument& document);
    void CheckTypographyDue(LspDocument& document);
    std::array<int64_t, 4> Columns(const LspDocument& document, std::size_t line,
                                   const LspFinding& finding, ColumnCounter& columns) const;
    std::string DiagnosticText(const LspDocument& document, std::size_t line,
                               const LspFinding& finding, ColumnCounter& columns) const;
    Json Diagnostic(const LspDocument& document, std::size_t line, const LspFinding& finding) const;
    void SendText(const std::string& message);
    Json TypographyEdits(const LspDocument& document) const;

    LspReader reader_;
    int out_;
    const SpellingOptions& options_;
    std::unique_ptr<services::Speller> speller_;
    services::Typographer typographer_;
    Settings settings_;
    std::deque<Queued> queue_;
    std::set<std::string> cancelled_;  // ids of requests the client cancelled, as JSON text
    std::map<std::string, Document> documents_;
    bool initialized_ = false;
    bool shutDown_ = false;
    bool utf8_ = false;  // positions in bytes rather than UTF-16 units
    bool outputClosed_ = false;
    std::optional<int> exitStatus_;
    int64_t clientProcess_ = 0;
};

int Server::Run() {
    for (;;) {
        LspFrame frame;
        LspReader::Status status = reader_.Next(queue_.empty() ? WaitMs().value_or(-1) : 0, frame);
        if (status == LspReader::Status::kFrame) {
            Enqueue(std::move(frame));
            if (queue_.size() < kMaxQueued)
                continue;
        }
        // Everything that came in together is taken first (up to kMaxQueued
        // messages), so that a cancellation reaches the request it cancels.
        while (!queue_.empty() && !exitStatus_ && !outputClosed_) {
            Queued queued = std::move(queue_.front());
            queue_.pop_front();
            Handle(queued);
        }
        queue_.clear();
        cancelled_.clear();
        if (exitStatus_)
            return *exitStatus_;
        if (status == LspReader::Status::kEnd || outputClosed_)
            return 1;  // the client is gone
        PublishDue();
        if (clientProcess_ > 0 && kill(static_cast<pid_t>(clientProcess_), 0) != 0 &&
            errno == ESRCH)
            return 1;
    }
}

std::optional<int> Server::WaitMs() const {
    std::optional<int> wait;
    if (clientProcess_ > 0)
        wait = kWatchIntervalMs;
    Clock::time_point now = Clock::now();
    for (const auto& [uri, document] : documents_) {
        if (!document.due)
            continue;
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(*document.due - now);
        int ms = static_cast<int>(std::max<int64_t>(0, left.count()));
        wait = wait ? std::min(*wait, ms) : ms;
    }
    return wait;
}

void Server::Enqueue(LspFrame frame) {
    Queued queued{std::move(frame), Json(Json::value_t::discarded)};
    if (queued.frame.hasBody && !TooDeep(queued.frame.body)) {
        queued.message = Json::parse(queued.frame.body, nullptr, false);
        const Json& params = Member(queued.message, "params");
        if (Member(queued.message, "method") == "$/cancelRequest" &&
            !Member(params, "id").is_null())
            cancelled_.insert(Member(params, "id").dump());
    }
    queue_.push_back(std::move(queued));
}

void Server::Handle(Queued& queued) {
    if (!queued.frame.problem.empty())
        ReplyError(nullptr, kParseError, queued.frame.problem);
    if (!queued.frame.hasBody)
        return;
    const Json& message = queued.message;
    if (message.is_discarded()) {
        ReplyError(nullptr, kParseError,
                   TooDeep(queued.frame.body) ? "JSON nested too deep" : "no JSON");
        return;
    }
    const Json& id = Member(message, "id");
    bool hasId = message.is_object() && message.contains("id");
    if (!message.is_object() || (hasId && !id.is_string() && !id.is_number_integer())) {
        ReplyError(nullptr, kInvalidRequest, "no JSON-RPC request or notification");
        return;
    }
    const Json& method = Member(message, "method");
    if (method.is_null() && hasId && (message.contains("result") || message.contains("error")))
        return;  // the answer to a request of ours
    if (!method.is_string()) {
        ReplyError(hasId ? id : Json(), kInvalidRequest, "a message without a method");
        return;
    }
    if (hasId && cancelled_.count(id.dump())) {
        ReplyError(id, kRequestCancelled, "cancelled");
        return;
    }
    try {
        Dispatch(method.get<std::string>(), hasId ? id : Json(), Member(message, "params"));
    } catch (const std::exception& problem) {
        // A parameter of the wrong type deep in a message.
        if (hasId)
            ReplyError(id, kInvalidParams, problem.what());
        else
            std::cerr << "tarnik lsp: " << method.get<std::string>() << ": " << problem.what()
                      << "\n";
    }
}

void Server::Dispatch(const std::string& method, const Json& id, const Json& params) {
    bool request = !id.is_null();
    if (method == "exit") {
        exitStatus_ = shutDown_ ? 0 : 1;
        return;
    }
    if (shutDown_) {
        if (request)
            ReplyError(id, kInvalidRequest, "the server has been shut down");
        return;
    }
    if (method == "initialize") {
        if (!request)
            return;
        if (initialized_)
            ReplyError(id, kInvalidRequest, "the server is initialized already");
        else
            Reply(id, Initialize(params));
        return;
    }
    if (!initialized_) {
        if (request)
            ReplyError(id, kServerNotInitialized, "the server is not initialized yet");
        return;
    }
    if (request) {
        if (method == "shutdown") {
            shutDown_ = true;
            Reply(id, nullptr);
        } else if (method == "textDocument/codeAction") {
            Reply(id, CodeActions(params));
        } else if (method == "workspace/executeCommand") {
            Reply(id, ExecuteCommand(params));
            // The findings asked again, after the answer.
            for (auto& [uri, document] : documents_)
                Publish(document);
        } else {
            ReplyError(id, kMethodNotFound, "no method " + method);
        }
        return;
    }
    if (method == "textDocument/didOpen")
        Open(params);
    else if (method == "textDocument/didChange")
        Change(params);
    else if (method == "textDocument/didClose")
        Close(params);
    else if (method == "workspace/didChangeConfiguration")
        ApplySettings(Member(params, "settings").contains(kSource)
                          ? Member(Member(params, "settings"), kSource)
                          : Member(params, "settings"));
    // Other notifications ($/setTrace, initialized, didSave...) ask nothing.
}

void Server::Reply(const Json& id, Json result) {
    Send({{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}});
}

void Server::ReplyError(const Json& id, int code, const std::string& message) {
    Send({{"jsonrpc", "2.0"}, {"id", id}, {"error", {{"code", code}, {"message", message}}}});
}

void Server::Notify(const char* method, Json params) {
    Send({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
}

void Server::Send(const Json& message) {
    SendText(message.dump(-1, ' ', false, Json::error_handler_t::replace));
}

void Server::SendText(const std::string& message) {
    if (!outputClosed_ && !WriteLspMessage(out_, message))
        outputClosed_ = true;
}

void Server::ShowMessage(int type, const std::string& text) {
    Notify("window/showMessage", {{"type", type}, {"message", "Tarnik: " + text}});
}

Json Server::Initialize(const Json& params) {
    initialized_ = true;
    clientProcess_ = IntOf(Member(params, "processId"));
    const Json& encodings =
        Member(Member(Member(params, "capabilities"), "general"), "positionEncodings");
    // The server keeps documents in UTF-8: a client that can count in it is
    // answered in it.
    utf8_ = encodings.is_array() && std::ranges::find(encodings, Json("utf-8")) != encodings.end();
    ApplySettings(Member(params, "initializationOptions").contains(kSource)
                      ? Member(Member(params, "initializationOptions"), kSource)
                      : Member(params, "initializationOptions"));
    return {
        {"capabilities",
         {
             {"positionEncoding", utf8_ ? "utf-8" : "utf-16"},
             {"textDocumentSync", {{"openClose", true}, {"change", 2}}},
             {"codeActionProvider", {{"codeActionKinds", {"quickfix"}}}},
             {"executeCommandProvider", {{"commands", {kAddWordCommand, kIgnoreWordCommand}}}},
         }},
        {"serverInfo", {{"name", "tarnik"}, {"version", TARNIK_VERSION}}},
    };
}

void Server::ApplySettings(const Json& given) {
    Settings settings = settings_;
    std::vector<std::string> problems = ReadSettings(
        given, {options_.skipCaps, options_.skipDigits, options_.alphabetical}, settings);
    bool spellerChanged = settings.speller.skipCapitals != settings_.speller.skipCapitals ||
                          settings.speller.skipDigits != settings_.speller.skipDigits ||
                          settings.speller.alphabetical != settings_.speller.alphabetical;
    if (spellerChanged) {
        // One speller is open at a time in a process: the old one is closed first.
        speller_.reset();
        speller_ = std::make_unique<services::Speller>();
        services::SpellerPlaces places = SpellerPlacesOf(options_);
        if (std::optional<Error> problem = speller_->Open(places, settings.speller)) {
            // The dictionaries opened a moment ago: they are opened again as they were.
            problems.push_back(problem->Message());
            settings.speller = settings_.speller;
            speller_.reset();
            speller_ = std::make_unique<services::Speller>();
            speller_->Open(places, settings.speller);
        }
    }
    if (std::optional<Error> wrong = typographer_.Open(settings.typography)) {
        problems.push_back("typography: " + wrong->Message());
        settings.typography = settings_.typography;
    }
    settings_ = settings;
    for (const std::string& problem : problems)
        ShowMessage(2, problem);
    for (auto& [uri, document] : documents_) {
        for (LspLine& line : document.text.Lines())
            line.spellingDue = line.typographyDue = true;
        CheckNow(document);
        Publish(document);
    }
}

Server::Document* Server::Find(const Json& textDocument) {
    auto found = documents_.find(StringOf(Member(textDocument, "uri")));
    return found == documents_.end() ? nullptr : &found->second;
}

void Server::Open(const Json& params) {
    const Json& item = Member(params, "textDocument");
    std::string uri = StringOf(Member(item, "uri"));
    if (uri.empty())
        return;
    TextFormat format = FormatOfLanguage(StringOf(Member(item, "languageId")));
    documents_.erase(uri);
    Document& document =
        documents_
            .emplace(uri, Document{LspDocument(StringOf(Member(item, "text")), format,
                                               IntOf(Member(item, "version"))),
                                   uri, std::nullopt})
            .first->second;
    // A long document's misspelt words are shown while its typography is read.
    if (StringOf(Member(item, "text")).size() > kLargeDocument) {
        CheckSpellingDue(document.text);
        Publish(document);
    }
    CheckNow(document);
    Publish(document);
}

void Server::Change(const Json& params) {
    Document* document = Find(Member(params, "textDocument"));
    if (!document) {
        Notify("window/logMessage",
               {{"type", 2},
                {"message", "Tarnik: a change of a document that is not open: " +
                                StringOf(Member(Member(params, "textDocument"), "uri"))}});
        return;
    }
    LspDocument& text = document->text;
    text.version = IntOf(Member(Member(params, "textDocument"), "version"), text.version);
    const Json& changes = Member(params, "contentChanges");
    if (!changes.is_array())
        return;
    for (const Json& change : changes) {
        const Json& range = Member(change, "range");
        std::string newText = StringOf(Member(change, "text"));
        if (range.is_null()) {
            text.Replace(newText);
            continue;
        }
        const Json& start = Member(range, "start");
        const Json& end = Member(range, "end");
        text.Edit(
            text.PlaceOf(IntOf(Member(start, "line")), IntOf(Member(start, "character")), utf8_),
            text.PlaceOf(IntOf(Member(end, "line")), IntOf(Member(end, "character")), utf8_),
            newText);
    }
    document->due = Clock::now() + std::chrono::milliseconds(settings_.debounceMs);
}

void Server::Close(const Json& params) {
    Document* document = Find(Member(params, "textDocument"));
    if (!document)
        return;
    Notify("textDocument/publishDiagnostics",
           {{"uri", document->uri}, {"diagnostics", Json::array()}});
    documents_.erase(document->uri);
}

void Server::PublishDue() {
    Clock::time_point now = Clock::now();
    for (auto& [uri, document] : documents_) {
        if (document.due && *document.due <= now) {
            CheckNow(document);
            Publish(document);
        }
    }
}

void Server::CheckSpelling(LspLine& line, const std::set<std::string>& ignored) {
    line.spelling.clear();
    line.spellingDue = false;
    const std::vector<std::size_t> byteAt = UnitStarts(line.text);
    ProseSource source{line.prose};
    auto end = static_cast<int32_t>(line.prose.size());
    int32_t current = 0;
    int32_t start = 0;
    std::string cp1250;
    while (FindNextWord(source, current, end, start, cp1250)) {
        std::size_t from = byteAt[static_cast<std::size_t>(start)];
        std::size_t to = byteAt[static_cast<std::size_t>(current)];
        std::string word = line.text.substr(from, to - from);
        bool beforeStop = current < end && line.prose[static_cast<std::size_t>(current)] == u'.';
        if (ignored.count(word) || speller_->Check(word, beforeStop))
            continue;
        std::string tail = DiagnosticTail(settings_.severity, "spelling",
                                          "'" + word + "' is not in the dictionary");
        line.spelling.push_back(
            {.start = from, .end = to, .text = std::move(word), .tail = std::move(tail)});
    }
}

void Server::CheckTypographyDue(LspDocument& document) {
    std::vector<LspLine>& lines = document.Lines();
    auto blank = [&](std::size_t i) {
        return lines[i].text.find_first_not_of(" \t") == std::string::npos;
    };
    // Paragraphs (lines between empty lines, at most kParagraphLines) are
    // corrected each on its own, and again only when one of their lines changed.
    for (std::size_t first = 0; first < lines.size();) {
        if (blank(first)) {
            lines[first].typography.clear();
            lines[first++].typographyDue = false;
            continue;
        }
        std::size_t last = first;
        bool due = lines[first].typographyDue;
        while (last + 1 < lines.size() && !blank(last + 1) && last + 1 - first < kParagraphLines) {
            ++last;
            due = due || lines[last].typographyDue;
        }
        if (!due) {
            first = last + 1;
            continue;
        }
        std::string text;
        std::vector<std::size_t> lineStart;
        for (std::size_t i = first; i <= last; ++i) {
            LspLine& line = lines[i];
            line.typography.clear();
            line.typographyDue = false;
            lineStart.push_back(text.size());
            text += TypographyText(line);
            if (i < last)
                text += '\n';
        }
        if (settings_.typographyOn) {
            services::TypoCorrection correction = typographer_.Correct(text);
            for (services::TypoFinding& found : correction.findings) {
                auto lineOf = [&](std::size_t byte) {
                    return static_cast<std::size_t>(
                               std::upper_bound(lineStart.begin(), lineStart.end(), byte) -
                               lineStart.begin()) -
                           1;
                };
                std::size_t startLine = lineOf(found.start);
                std::size_t endLine = lineOf(found.end);
                std::string message;
                if (!found.message.empty()) {
                    message = found.message + ": it is left as it is";
                } else {
                    std::string from = text.substr(found.start, found.end - found.start);
                    message = RuleDescription(found.rule);
                    // A space bound to its neighbour is told by the description alone.
                    if (from != " " || found.replacement != "\u00A0")
                        message += ": " + Shown(from) + " → " + Shown(found.replacement);
                }
                lines[first + startLine].typography.push_back(
                    {.start = found.start - lineStart[startLine],
                     .endLine = endLine - startLine,
                     .end = found.end - lineStart[endLine],
                     .text = std::move(found.replacement),
                     .rule = found.rule,
                     .message = std::move(found.message),
                     .tail = DiagnosticTail(kHint, found.rule, message)});
            }
        }
        first = last + 1;
    }
}

void Server::CheckSpellingDue(LspDocument& document) {
    document.ReadProse();
    for (LspLine& line : document.Lines()) {
        if (line.spellingDue)
            CheckSpelling(line, document.ignored);
    }
}

void Server::CheckNow(Document& document) {
    document.due.reset();
    CheckSpellingDue(document.text);
    CheckTypographyDue(document.text);
}

std::array<int64_t, 4> Server::Columns(const LspDocument& document, std::size_t line,
                                       const LspFinding& finding, ColumnCounter& columns) const {
    const std::vector<LspLine>& lines = document.Lines();
    std::size_t endLine = std::min(line + finding.endLine, lines.size() - 1);
    int64_t start = columns.Column(finding.start);
    int64_t end = endLine == line ? columns.Column(finding.end)
                                  : ColumnCounter(lines[endLine].text, utf8_).Column(finding.end);
    return {static_cast<int64_t>(line), start, static_cast<int64_t>(endLine), end};
}

// Written out by hand: a large document's diagnostics are many, and each
// publication holds them all.
std::string Server::DiagnosticText(const LspDocument& document, std::size_t line,
                                   const LspFinding& finding, ColumnCounter& columns) const {
    std::array<int64_t, 4> at = Columns(document, line, finding, columns);
    return "{\"range\":{\"start\":{\"line\":" + std::to_string(at[0]) +
           ",\"character\":" + std::to_string(at[1]) +
           "},\"end\":{\"line\":" + std::to_string(at[2]) +
           ",\"character\":" + std::to_string(at[3]) + "}}" + finding.tail;
}

Json Server::Diagnostic(const LspDocument& document, std::size_t line,
                        const LspFinding& finding) const {
    ColumnCounter columns(document.Lines()[line].text, utf8_);
    return Json::parse(DiagnosticText(document, line, finding, columns));
}

void Server::Publish(Document& document) {
    std::vector<LspLine>& lines = document.text.Lines();
    std::size_t length = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ColumnCounter columns(lines[i].text, utf8_);
        for (auto* findings : {&lines[i].spelling, &lines[i].typography}) {
            for (LspFinding& finding : *findings) {
                if (finding.publishedLine != i) {
                    finding.published = DiagnosticText(document.text, i, finding, columns);
                    finding.publishedLine = i;
                }
                length += finding.published.size() + 1;
            }
        }
    }
    std::string message =
        "{\"jsonrpc\":\"2.0\",\"method\":\"textDocument/publishDiagnostics\",\"params\":{"
        "\"uri\":" +
        JsonText(document.uri) + ",\"version\":" + std::to_string(document.text.version) +
        ",\"diagnostics\":[";
    message.reserve(message.size() + length + 3);
    bool first = true;
    for (const LspLine& line : lines) {
        for (const auto* findings : {&line.spelling, &line.typography}) {
            for (const LspFinding& finding : *findings) {
                message += first ? "" : ",";
                message += finding.published;
                first = false;
            }
        }
    }
    message += "]}}";
    SendText(message);
}

Json Server::TypographyEdits(const LspDocument& document) const {
    Json edits = Json::array();
    const std::vector<LspLine>& lines = document.Lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        ColumnCounter columns(lines[i].text, utf8_);
        for (const LspFinding& finding : lines[i].typography) {
            if (!finding.message.empty())
                continue;
            std::array<int64_t, 4> at = Columns(document, i, finding, columns);
            edits.push_back({{"range",
                              {{"start", {{"line", at[0]}, {"character", at[1]}}},
                               {"end", {{"line", at[2]}, {"character", at[3]}}}}},
                             {"newText", finding.text}});
        }
    }
    return edits;
}

Json Server::CodeActions(const Json& params) {
    Document* document = Find(Member(params, "textDocument"));
    if (!document)
        throw std::invalid_argument("the document " +
                                    StringOf(Member(Member(params, "textDocument"), "uri")) +
                                    " is not open");
    const Json& only = Member(Member(params, "context"), "only");
    if (only.is_array() &&
        std::ranges::none_of(only, [](const Json& kind) { return kind == "quickfix"; }))
        return Json::array();
    if (document->due)
        CheckNow(*document);
    const LspDocument& text = document->text;
    const Json& range = Member(params, "range");
    LspPlace from = text.PlaceOf(IntOf(Member(Member(range, "start"), "line")),
                                 IntOf(Member(Member(range, "start"), "character")), utf8_);
    LspPlace to = text.PlaceOf(IntOf(Member(Member(range, "end"), "line")),
                               IntOf(Member(Member(range, "end"), "character")), utf8_);
    auto touches = [&](std::size_t line, const LspFinding& finding) {
        std::size_t endLine = line + finding.endLine;
        bool startsBeforeEnd = line < to.line || (line == to.line && finding.start <= to.byte);
        bool endsAfterStart =
            endLine > from.line || (endLine == from.line && finding.end >= from.byte);
        return startsBeforeEnd && endsAfterStart;
    };
    Json actions = Json::array();
    bool typography = false;
    const std::vector<LspLine>& lines = text.Lines();
    for (std::size_t i = from.line; i <= to.line && i < lines.size(); ++i) {
        for (const LspFinding& finding : lines[i].spelling) {
            if (!touches(i, finding))
                continue;
            Json diagnostic = Diagnostic(text, i, finding);
            bool first = true;
            for (const std::string& suggestion : speller_->Suggest(finding.text)) {
                actions.push_back(
                    {{"title", "Change to '" + suggestion + "'"},
                     {"kind", "quickfix"},
                     {"diagnostics", {diagnostic}},
                     {"isPreferred", first},
                     {"edit",
                      {{"changes",
                        {{document->uri,
                          {{{"range", diagnostic["range"]}, {"newText", suggestion}}}}}}}}});
                first = false;
            }
            actions.push_back({{"title", "Add '" + finding.text + "' to the user dictionary"},
                               {"kind", "quickfix"},
                               {"diagnostics", {diagnostic}},
                               {"command",
                                {{"title", "Add to the user dictionary"},
                                 {"command", kAddWordCommand},
                                 {"arguments", {finding.text}}}}});
            actions.push_back({{"title", "Ignore '" + finding.text + "' in this document"},
                               {"kind", "quickfix"},
                               {"diagnostics", {diagnostic}},
                               {"command",
                                {{"title", "Ignore in this document"},
                                 {"command", kIgnoreWordCommand},
                                 {"arguments", {document->uri, finding.text}}}}});
        }
        for (const LspFinding& finding : lines[i].typography) {
            if (!touches(i, finding) || !finding.message.empty())
                continue;
            typography = true;
            Json diagnostic = Diagnostic(text, i, finding);
            actions.push_back(
                {{"title", "Correct: " + diagnostic["message"].get<std::string>()},
                 {"kind", "quickfix"},
                 {"diagnostics", {diagnostic}},
                 {"isPreferred", true},
                 {"edit",
                  {{"changes",
                    {{document->uri,
                      {{{"range", diagnostic["range"]}, {"newText", finding.text}}}}}}}}});
        }
    }
    if (typography) {
        actions.push_back({{"title", "Correct the typography of the whole document"},
                           {"kind", "quickfix"},
                           {"edit", {{"changes", {{document->uri, TypographyEdits(text)}}}}}});
    }
    return actions;
}

Json Server::ExecuteCommand(const Json& params) {
    std::string command = StringOf(Member(params, "command"));
    const Json& arguments = Member(params, "arguments");
    if (command == kAddWordCommand && arguments.is_array() && arguments.size() == 1 &&
        arguments[0].is_string()) {
        if (std::optional<Error> problem = speller_->Add(arguments[0].get<std::string>())) {
            ShowMessage(1, problem->Message());
            throw std::invalid_argument(problem->Message());
        }
    } else if (command == kIgnoreWordCommand && arguments.is_array() && arguments.size() == 2 &&
               arguments[1].is_string()) {
        Document* document = Find(Json::object({{"uri", arguments[0]}}));
        if (!document)
            throw std::invalid_argument("the document is not open");
        document->text.ignored.insert(arguments[1].get<std::string>());
    } else {
        throw std::invalid_argument("no command " + command + " with these arguments");
    }
    // The words found before are asked again; nothing else changed.
    for (auto& entry : documents_) {
        const std::set<std::string>& ignored = entry.second.text.ignored;
        for (LspLine& line : entry.second.text.Lines()) {
            std::erase_if(line.spelling, [&](const LspFinding& finding) {
                return ignored.count(finding.text) || speller_->Check(finding.text, false);
            });
        }
    }
    return nullptr;
}

}  // namespace

int RunLanguageServer(int in, int out, const SpellingOptions& options,
                      std::unique_ptr<services::Speller> speller) {
    // A client that closes its end makes a write fail, not the process end.
    signal(SIGPIPE, SIG_IGN);
    return Server(in, out, options, std::move(speller)).Run();
}

}  // namespace tarnik::cli
