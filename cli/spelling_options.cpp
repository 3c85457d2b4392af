#include "cli/spelling_options.h"

#include <filesystem>
#include <iostream>

#include "charsets/utf8.h"
#include "cli/command.h"
#include "platform/places.h"
#include "speller/main_dictionary.h"
#include "speller/word_check.h"
#include "text/word_finder.h"
#include "text/word_scanner.h"

namespace tarnik::cli {

namespace {

// A line's internal codes, one per UTF-16 unit, as the word finder reads them.
struct LineSource {
    const std::u16string& codes;
    uint16_t CharAt(int32_t position) const { return codes[static_cast<size_t>(position)]; }
    int32_t NextPosition(int32_t position) const { return position + 1; }
};

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

int CannotOpen(const std::string& command, const std::string& what, const std::string& path,
               int result) {
    std::cerr << "tarnik " << command << ": cannot open the " << what << " " << path << " (error "
              << result << ")\n";
    return kUsageError;
}

}  // namespace

const char kSpellingOptionsHelp[] =
    "  --data DIR      the folder of the dictionary son.dic (default: the bundled\n"
    "                  XTensions folder)\n"
    "  --user FILE     the user dictionary (default: user.dic beside son.dic, or in\n"
    "                  the per-user data folder when that folder is read-only);\n"
    "                  created when missing\n"
    "  --skip-caps     do not check words in capitals (PKP, NATO)\n"
    "  --skip-digits   do not check words that hold digits (A4, 2015r)\n"
    "  --help          show this text\n";

std::optional<int> ParseSpellingOptions(const std::string& command,
                                        const std::vector<std::string>& args, bool takesFiles,
                                        SpellingOptions& options) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--data" || a == "--user") {
            if (i + 1 >= args.size())
                return UsageError(command, a + " needs a value");
            (a == "--data" ? options.dataDir : options.userFile) = args[++i];
        } else if (a == "--skip-caps") {
            options.skipCaps = true;
        } else if (a == "--skip-digits") {
            options.skipDigits = true;
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

std::vector<LineWord> WordsOfLine(std::string_view utf8, int32_t from) {
    std::u16string units = Utf8ToUtf16(utf8);
    std::u16string codes = Utf8ToInternal(utf8);
    std::vector<int32_t> characterAt(units.size() + 1, 0);  // unit index -> character index
    for (size_t i = 0; i < units.size(); ++i) {
        characterAt[i + 1] = characterAt[i] + (IsLowSurrogate(units[i]) ? 0 : 1);
    }
    std::vector<LineWord> words;
    LineSource source{codes};
    int32_t end = static_cast<int32_t>(codes.size());
    int32_t current = 0;
    while (current < end && characterAt[static_cast<size_t>(current)] < from)
        ++current;
    int32_t start = 0;
    std::string text;
    while (FindNextWord(source, current, end, start, text)) {
        words.push_back({characterAt[static_cast<size_t>(start)],
                         Utf16ToUtf8(units.substr(static_cast<size_t>(start),
                                                  static_cast<size_t>(current - start))),
                         text, current < end && codes[static_cast<size_t>(current)] == u'.'});
    }
    return words;
}

SpellingSession::~SpellingSession() {
    SpellerClose();
}

int SpellingSession::Open(const std::string& command, const SpellingOptions& options) {
    options_ = options;
    std::string dataDir = options.dataDir.empty() ? DefaultXTensionsDir() : options.dataDir;
    std::string mainPath = (std::filesystem::path(dataDir) / "son.dic").string();
    if (int16_t result = SpellerOpen(mainPath); result != 0) {
        return CannotOpen(command, "dictionary", mainPath, result);
    }
    userPath_ = options.userFile.empty() ? WritableFilePath(dataDir, "user.dic") : options.userFile;
    int16_t result = UserDictOpen(userPath_, user_);
    // Only a missing or empty file is made anew: a file that cannot be read may
    // still hold the user's words.
    std::error_code error;
    if (result != 0 && (!std::filesystem::exists(userPath_, error) ||
                        std::filesystem::file_size(userPath_, error) == 0)) {
        if (int16_t created = UserDictCreate(userPath_); created != 0) {
            std::cerr << "tarnik " << command << ": cannot create the user dictionary " << userPath_
                      << " (error " << created << ")\n";
            return kUsageError;
        }
        result = UserDictOpen(userPath_, user_);
    }
    if (result != 0)
        return CannotOpen(command, "user dictionary", userPath_, result);
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

}  // namespace tarnik::cli
