#include "cli/spelling_options.h"

#include <filesystem>
#include <fstream>
#include <iostream>

#include "charsets/utf8.h"
#include "cli/command.h"
#include "cli/file_problem.h"
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

bool IsUtf8Name(const std::string& name) {
    std::string lower = Lower(name);
    return lower == "utf-8" || lower == "utf8";
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
    "  -i ENC, --encoding=ENC\n"
    "                  the text's encoding: UTF-8 is the only one\n"
    "  -m, -B, -C, -P, -S, -x, -b, --check-apostrophe, -w CHARS, -W N, -T TYPE\n"
    "                  options of ispell and hunspell that editors pass; accepted,\n"
    "                  and they change nothing\n"
    "  -v, -vv         print the version line and stop\n"
    "  --alphabetical  suggestions in alphabetical order, all of them, instead of\n"
    "                  the most likely first (at most 15)\n"
    "  --help          show this text\n";

std::optional<int> ParseSpellingOptions(const std::string& command,
                                        const std::vector<std::string>& args, bool takesFiles,
                                        SpellingOptions& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        // An option's value: the rest of the argument ("-dpl", "--format=tex"),
        // or the next argument.
        std::string value;
        auto takeValue = [&](size_t prefix) -> bool {
            if (a.size() > prefix) {
                value = a.substr(a[prefix] == '=' ? prefix + 1 : prefix);
                return true;
            }
            if (i + 1 >= args.size())
                return false;
            value = args[++i];
            return true;
        };
        auto starts = [&](const char* prefix) { return a.rfind(prefix, 0) == 0; };
        if (a == "--data" || a == "--user") {
            if (!takeValue(a.size()))
                return UsageError(command, a + " needs a value");
            (a == "--data" ? options.dataDir : options.userFile) = value;
        } else if (starts("-p") && a.rfind("--", 0) != 0) {
            if (!takeValue(2))
                return UsageError(command, "-p needs a file (the user dictionary)");
            options.userFile = value;
        } else if (starts("-d") && a.rfind("--", 0) != 0) {
            if (!takeValue(2))
                return UsageError(command, "-d needs a dictionary name");
            for (size_t from = 0; from <= value.size();) {
                size_t comma = value.find(',', from);
                std::string name = value.substr(from, comma - from);
                if (!IsPolishDictionaryName(name)) {
                    std::cerr << "tarnik " << command << ": there is no dictionary '" << name
                              << "': Tarnik checks Polish only (-d pl, pl_PL, polish or polski)\n";
                    return kUsageError;
                }
                if (comma == std::string::npos)
                    break;
                from = comma + 1;
            }
        } else if ((starts("-i") && a.rfind("--", 0) != 0) || starts("--encoding")) {
            if (!takeValue(a[1] == 'i' ? 2 : 10))
                return UsageError(command, a + " needs an encoding");
            if (!IsUtf8Name(value)) {
                std::cerr << "tarnik " << command << ": the encoding '" << value
                          << "' is not supported: Tarnik reads and writes UTF-8 only\n";
                return kUsageError;
            }
        } else if (starts("--format")) {
            if (!takeValue(8))
                return UsageError(command, "--format needs a name (plain, tex, html, nroff)");
            if (!TextFormatFromName(value, options.format))
                return UsageError(command,
                                  "unknown format '" + value + "' (plain, tex, html or nroff)");
        } else if (a == "-t") {
            options.format = TextFormat::kTex;
        } else if (a == "-H" || a == "-X") {
            options.format = TextFormat::kHtml;
        } else if (a == "-n") {
            options.format = TextFormat::kNroff;
        } else if (a == "-o") {
            options.format = TextFormat::kPlain;
        } else if (a == "--check-url") {
            options.checkAddresses = true;
        } else if (a == "--skip-caps") {
            options.skipCaps = true;
        } else if (a == "--skip-digits") {
            options.skipDigits = true;
        } else if (a == "--locations" && takesFiles) {
            options.locations = true;
        } else if (a == "-v" || a == "-vv") {
            options.version = true;
        } else if (a == "-m" || a == "-B" || a == "-C" || a == "-P" || a == "-S" || a == "-x" ||
                   a == "-b" || a == "--check-apostrophe" || (a == "-a" && !takesFiles) ||
                   (a == "-l" && takesFiles)) {
            // Options of ispell and hunspell that make no difference here.
        } else if (a.size() >= 2 && a[0] == '-' && (a[1] == 'w' || a[1] == 'W' || a[1] == 'T')) {
            if (!takeValue(2))
                return UsageError(command, a.substr(0, 2) + " needs a value");
        } else if (a == "--alphabetical") {
            options.alphabetical = true;
        } else if (a == "--" && takesFiles) {
            options.files.insert(options.files.end(), args.begin() + i + 1, args.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError(command, "unknown option '" + a + "'");
        } else if (takesFiles) {
            options.files.push_back(a);
        } else {
            return UsageError(command,
                              "unexpected argument '" + a + "' (text comes on standard input)");
        }
    }
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
        std::cerr << "tarnik " << command << ": cannot open the dictionary " << mainPath << ": "
                  << DictionaryProblem(mainPath, result) << "\n";
        return kUsageError;
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
        std::cerr << "tarnik " << command << ": cannot open the user dictionary " << path << ": "
                  << problem << " (error " << result << ")\n";
        return kUsageError;
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
