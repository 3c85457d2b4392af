#include "cli/spelling_options.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "charsets/utf8.h"
#include "cli/command.h"
#include "cli/file_problem.h"
#include "cli/options.h"
#include "files/resource_container.h"
#include "platform/places.h"
#include "speller/letter_code.h"
#include "speller/main_dictionary.h"
#include "speller/ranked_suggestions.h"
#include "speller/word_check.h"
#include "text/word_finder.h"
#include "text/word_scanner.h"

namespace tarnik::cli {

namespace {

// A piece's internal codes, one per UTF-16 unit, as the word finder reads them.
struct PieceSource {
    const std::u16string& codes;
    uint16_t CharAt(int32_t position) const { return codes[static_cast<size_t>(position)]; }
    int32_t NextPosition(int32_t position) const { return position + 1; }
};

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The names a Polish dictionary goes by in ispell, hunspell and aspell:
// pl, pl_PL, pl-PL, polish, polski, with or without an encoding (pl_PL.UTF-8).
bool IsPolishDictionaryName(std::string name) {
    name = Lower(name);
    if (size_t dot = name.find('.'); dot != std::string::npos) {
        std::string encoding = name.substr(dot + 1);
        if (encoding != "utf-8" && encoding != "utf8")
            return false;
        name.resize(dot);
    }
    for (char& c : name) {
        if (c == '-')
            c = '_';
    }
    return name == "pl" || name == "pl_pl" || name == "polish" || name == "polski";
}

// Whether the file starts with four bytes of text. A user dictionary starts with
// its list's length, little-endian, whose last bytes are 0 for any list it can
// hold; a word list (a hunspell personal dictionary, say) starts with a word.
bool LooksLikeText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char head[4];
    if (!file.read(head, sizeof head))
        return false;
    for (char c : head) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\n' && c != '\r' && c != '\t')
            return false;
    }
    return true;
}

// The bundled dictionary of the source's mixed-case words (GHz, JavaScript),
// which son.dic cannot hold, is consulted beside the user's own and never
// written. Without it those words are refused, as before it shipped.
void OpenMixedCaseDictionary(const std::string& command, const std::string& dataDir) {
    std::string path = (std::filesystem::path(dataDir) / kMixedCaseDictionaryName).string();
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return;
    UserDictionary* mixed = nullptr;
    if (int16_t result = UserDictOpen(path, mixed); result != 0) {
        std::cerr << "tarnik " << command << ": cannot open the dictionary " << path << " (error "
                  << result << "); words in mixed case are checked without it\n";
    }
}

}  // namespace

const char kVersionLine[] =
    "@(#) International Ispell Version 3.2.06 (but really Tarnik " TARNIK_VERSION ")";

const char kSpellingOptionsHelp[] =
    "  --data DIR      the folder of the dictionary son.dic (default: the bundled\n"
    "                  XTensions folder)\n"
    "  --user FILE, -p FILE\n"
    "                  the user dictionary (default: user.dic beside son.dic, or in\n"
    "                  the per-user data folder when that folder is read-only);\n"
    "                  created when missing\n"
    "  --skip-caps     do not check words in capitals (PKP, NATO)\n"
    "  --skip-digits   do not check words that hold digits (A4, 2015r)\n"
    "  -t, -H, -n, -o  the text is TeX/LaTeX, HTML/XML, nroff/troff, or plain text\n"
    "                  (the default); markup is not checked (also --format=tex,\n"
    "                  html, nroff, plain; -X is -H)\n"
    "  --check-url     check URLs, e-mail addresses and file paths too (by default\n"
    "                  they are skipped)\n"
    "  -d NAME         the dictionary: Polish is the only one, by any of its names\n"
    "                  (pl, pl_PL, polish, polski); another name is an error\n"
    "  -m, -B, -C, -P, -S, -x, -b, --check-apostrophe, -w CHARS, -W N, -T TYPE\n"
    "                  options of ispell and hunspell that editors pass; accepted,\n"
    "                  and they change nothing\n"
    "  -v, -vv         print the version line and stop\n"
    "  --alphabetical  suggestions in alphabetical order, all of them, instead of\n"
    "                  the most likely first (at most 15)\n";

std::optional<int> ParseSpellingOptions(const std::string& command,
                                        const std::vector<std::string>& args, bool takesFiles,
                                        SpellingOptions& options) {
    auto format = [&options](char letter, TextFormat value) {
        return Option{nullptr, letter, false, [&options, value](const std::string&) {
                          options.format = value;
                          return std::optional<std::string>();
                      }};
    };
    // Options of ispell and hunspell that make no difference here; some take a value.
    auto ignored = [](char letter, bool takesValue = false) {
        return Option{nullptr, letter, takesValue,
                      [](const std::string&) { return std::optional<std::string>(); }};
    };
    std::vector<Option> table = {
        DataOption(options.dataDir),
        UserOption(options.userFile, 'p'),
        EncodingOption(options.encoding),
        FlagOption("skip-caps", options.skipCaps),
        FlagOption("skip-digits", options.skipDigits),
        FlagOption("check-url", options.checkAddresses),
        FlagOption("alphabetical", options.alphabetical),
        format('t', TextFormat::kTex),
        format('H', TextFormat::kHtml),
        format('X', TextFormat::kHtml),
        format('n', TextFormat::kNroff),
        format('o', TextFormat::kPlain),
        {"format", 0, true,
         [&options](const std::string& value) -> std::optional<std::string> {
             if (!TextFormatFromName(value, options.format))
                 return "unknown format '" + value + "' (plain, tex, html or nroff)";
             return std::nullopt;
         }},
        {nullptr, 'd', true,
         [](const std::string& value) -> std::optional<std::string> {
             for (size_t from = 0; from <= value.size();) {
                 size_t comma = value.find(',', from);
                 std::string name = value.substr(from, comma - from);
                 if (!IsPolishDictionaryName(name))
                     return "there is no dictionary '" + name +
                            "': Tarnik checks Polish only (-d pl, pl_PL, polish or polski)";
                 if (comma == std::string::npos)
                     break;
                 from = comma + 1;
             }
             return std::nullopt;
         }},
        {nullptr, 'v', false,
         [&options](const std::string&) {
             options.version = true;
             return std::optional<std::string>();
         }},
        {"check-apostrophe", 0, false,
         [](const std::string&) { return std::optional<std::string>(); }},
        ignored('m'),
        ignored('B'),
        ignored('C'),
        ignored('P'),
        ignored('S'),
        ignored('x'),
        ignored('b'),
        ignored('w', true),
        ignored('W', true),
        ignored('T', true),
        ignored(takesFiles ? 'l' : 'a'),  // the mode itself
    };
    if (takesFiles)
        table.push_back(FlagOption("locations", options.locations));
    std::vector<std::string> operands;
    if (std::optional<int> status = ParseCommandLine(command, args, table, operands))
        return status;
    if (!takesFiles && !operands.empty())
        return UsageError(
            command, "unexpected argument '" + operands[0] + "' (text comes on standard input)");
    options.files = std::move(operands);
    return std::nullopt;
}

std::string SpellerText(std::string_view utf8) {
    std::string text;
    for (char16_t code : Utf8ToInternal(utf8)) {
        if (IsWordChar(code))
            AppendWordChar(text, code);
        else
            text.push_back(code < 256 ? static_cast<char>(code) : '?');
    }
    return text;
}

void WordCutter::Cut(std::string_view piece, bool lineEnds, int64_t& lineOffset,
                     const std::function<void(const LineWord&)>& found) {
    units_ = Utf8ToUtf16(piece);
    codes_ = Utf8ToInternal(piece);
    filter_.Filter(codes_, lineEnds);
    characterAt_.assign(units_.size() + 1, 0);  // unit index -> character index
    for (size_t i = 0; i < units_.size(); ++i) {
        characterAt_[i + 1] = characterAt_[i] + (IsLowSurrogate(units_[i]) ? 0 : 1);
    }
    PieceSource source{codes_};
    int32_t end = static_cast<int32_t>(codes_.size());
    int32_t current = 0;
    int32_t start = 0;
    while (FindNextWord(source, current, end, start, word_.cp1250)) {
        word_.offset = lineOffset + characterAt_[static_cast<size_t>(start)];
        word_.original = Utf16ToUtf8(std::u16string_view(units_).substr(
            static_cast<size_t>(start), static_cast<size_t>(current - start)));
        word_.beforeStop = current < end && codes_[static_cast<size_t>(current)] == u'.';
        found(word_);
    }
    lineOffset = lineEnds ? 0 : lineOffset + characterAt_.back();
}

SpellingSession::~SpellingSession() {
    SpellerClose();
}

std::string DictionaryProblem(const std::string& path, int result) {
    std::string problem = ReadProblem(path);
    if (problem.empty()) {
        if (result == kContainerCannotOpen)
            problem = "it cannot be opened";
        else if (result >= kContainerIndexShort && result <= kContainerWrongHandle)
            problem = "it is not a dictionary file, or it is damaged";
        else if (result == kSpellerOpenFailed)
            problem = "it holds no usable dictionary";
        else
            problem = "it cannot be read";
    }
    return problem + " (error " + std::to_string(result) + ")";
}

int SpellingSession::Open(const std::string& command, const SpellingOptions& options) {
    options_ = options;
    std::string dataDir = options.dataDir.empty() ? DefaultXTensionsDir() : options.dataDir;
    std::string mainPath = (std::filesystem::path(dataDir) / "son.dic").string();
    if (int16_t result = SpellerOpen(mainPath); result != 0) {
        return ReportError(command, mainPath, DictionaryProblem(mainPath, result));
    }
    userPath_ = UserDictionaryPath(dataDir, options.userFile);
    if (int status = OpenUserDictionary(command, userPath_, user_); status != 0)
        return status;
    OpenMixedCaseDictionary(command, dataDir);
    return 0;
}

std::string UserWordProblem(const std::string& word, std::string& cp1250) {
    cp1250 = SpellerText(word);
    if (cp1250.find(static_cast<char>(kUnheldLetter)) != std::string::npos)
        return "it holds a letter that Windows-1250 lacks";
    uint8_t first = cp1250.empty() ? 0 : TextToWordCode(static_cast<uint8_t>(cp1250[0]));
    if (first == 0 || first == kHyphenCode)
        return "a word starts with a letter";
    if (WordLetterCount(cp1250) != cp1250.size())
        return "only letters and the hyphen can be stored";
    if (cp1250.size() > kMaxUserWordLetters)
        return "it is longer than 255 letters";
    return "";
}

std::string UserDictChangeProblem(const UserDictionary* user, int16_t result,
                                  const std::string& path) {
    if (result == kUserDictOk)
        return "";
    if (result == kUserDictDamaged)
        return "the file has been damaged since it was opened; it is left as it is";
    if (user && !user->lastSave.Ok())
        return user->lastSave.Describe(path);
    return "the dictionary could not be saved" + Because(WriteProblem(path));
}

std::string UserDictionaryPath(const std::string& dataDir, const std::string& userFile) {
    if (!userFile.empty())
        return userFile;
    return WritableFilePath(dataDir.empty() ? DefaultXTensionsDir() : dataDir, "user.dic");
}

int OpenUserDictionary(const std::string& command, const std::string& path,
                       UserDictionary*& record) {
    if (LooksLikeText(path)) {
        std::cerr << "tarnik " << command << ": " << path
                  << " is a plain word list, not a Tarnik user dictionary; to use its words, "
                     "import them: tarnik dict --user NEW.dic import "
                  << path << "\n";
        return kUsageError;
    }
    int16_t result = UserDictOpen(path, record);
    // Only a missing or empty file is made anew: a file that cannot be read may
    // still hold the user's words.
    std::error_code error;
    if (result != 0 &&
        (!std::filesystem::exists(path, error) || std::filesystem::file_size(path, error) == 0)) {
        SaveResult saved;
        if (int16_t created = UserDictCreate(path, &saved); created != 0) {
            std::cerr << "tarnik " << command << ": cannot create the user dictionary " << path
                      << (saved.Ok() ? Because(WriteProblem(path)) : ": " + saved.Describe(path))
                      << " (error " << created << ")\n";
            return kUsageError;
        }
        result = UserDictOpen(path, record);
    }
    if (result != 0) {
        std::string problem = ReadProblem(path);
        if (problem.empty())
            problem = result == kUserDictDamaged ? "its word list is damaged; it is left as it is"
                                                 : "its word list cannot be read";
        return ReportError(command, path, problem + " (error " + std::to_string(result) + ")");
    }
    return 0;
}

bool SpellingSession::Passes(const LineWord& word) const {
    uint16_t caseClass = WordScanner::CaseClass(word.cp1250);
    if (options_.skipDigits && (caseClass & kCaseDigit))
        return true;
    if (options_.skipCaps && (caseClass & kCaseCapitals))
        return true;
    int16_t correct =
        word.beforeStop ? SpellerCheckWordBeforeStop(word.cp1250) : SpellerCheckWord(word.cp1250);
    return correct == 1 || UserDictContains(user_, word.cp1250) == 1;
}

std::vector<std::string> SpellingSession::Suggest(const LineWord& word) const {
    std::vector<std::string> words = ShownSuggestions(word.cp1250, !options_.alphabetical);
    for (std::string& w : words)
        w = Cp1250ToUtf8(w);
    return words;
}

}  // namespace tarnik::cli
