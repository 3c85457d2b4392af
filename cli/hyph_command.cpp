// tarnik hyph: hyphenates words and manages the user's hyphenation exceptions.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "charsets/utf8.h"
#include "cli/command.h"
#include "cli/options.h"
#include "cli/text_input.h"
#include "hyphenation/exception_word.h"
#include "hyphenation/hyph_dict.h"
#include "hyphenation/hyphenate_text.h"
#include "hyphenation/hyphenate_word.h"
#include "hyphenation/user_exceptions.h"
#include "platform/places.h"
#include "services/file_problem.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "hyph";

constexpr char kHelp[] =
    "Usage: tarnik hyph [OPTIONS] [WORD...]\n"
    "       tarnik hyph [OPTIONS] --file FILE [FILE...]\n"
    "       tarnik hyph [--data DIR] [--user FILE] --add WORD | --remove WORD | --list\n\n"
    "Hyphenates the words given, or one word per line of the files given with\n"
    "--file (or of standard input, also given as '-'), and prints each with '-' at\n"
    "every allowed break (UTF-8, one per line). A word is hyphenated up to its\n"
    "first digit; the rest is printed as it is. Punctuation around a word and the\n"
    "hyphen of a compound are no part of a word; a line of several words has each\n"
    "of them hyphenated.\n\n"
    "Options (they may come before or after the words):\n"
    "  --file FILE    read words from FILE, one per line; with --file every other\n"
    "                 argument names a file too ('-' is standard input)\n"
    "  --data DIR     the folder of PLHYPH.DAT (default: the bundled XTensions folder)\n"
    "  --user FILE    the user exceptions file (default: PLHYPH.USR beside PLHYPH.DAT,\n"
    "                 or in the per-user data folder when that folder is read-only)\n"
    "  --no-user      hyphenate without the user exceptions\n"
    "  --add WORD     add a user exception, written with '-' at each break: ko-tek\n"
    "  --remove WORD  remove the user exception for WORD\n"
    "  --list         print the user exceptions\n";

// After kEncodingHelp.
constexpr char kHelpEnd[] =
    "\nExit status: 0 on success; 1 when an exception is refused (already listed,\n"
    "not listed, too long); 2 on bad usage, or data, an exceptions file or a file\n"
    "of words that cannot be read or written.\n";

struct Options {
    std::string dataDir;
    std::string userFile;
    bool noUser = false;
    std::string action;  // "", "--add", "--remove", "--list"
    std::string actionWord;
    TextEncoding encoding = TextEncoding::kUtf8;
    std::vector<std::string> words;
    std::vector<std::string> files;
};

// A change of the exceptions that was refused.
int Error(const std::string& message) {
    return ReportError(kName, "", message, kFindingsLeft);
}

// Hyphenates UTF-8 words, keeping its buffers from one word to the next.
class Hyphenator {
  public:
    Hyphenator(const HyphDict& dict, bool useUser) : dict_(dict), useUser_(useUser) {}

    // Appends the word with its breaks to `result`. The hyphenation sees cp1250,
    // one byte per character, and stops at a digit; the breaks are laid back onto
    // the original characters, so none is lost, also after a digit.
    void Append(std::string_view word, std::string& result) {
        cp1250_ = Utf8ToCp1250(word);
        // Each word of the line alone, punctuation and compound hyphens kept as
        // they are: the same words Hyphenate Box and Suggested Hyphenation see.
        out_ = HyphenateText(dict_, cp1250_, useUser_);
        // Where each character starts: at every byte that is no continuation byte.
        starts_.clear();
        for (size_t i = 0; i < word.size(); ++i) {
            if ((static_cast<uint8_t>(word[i]) & 0xC0) != 0x80)
                starts_.push_back(i);
        }
        if (starts_.size() != cp1250_.size()) {
            result += Cp1250ToUtf8(out_);
            return;
        }
        starts_.push_back(word.size());
        size_t i = 0;
        for (char c : out_) {
            if (i < cp1250_.size() && c == cp1250_[i]) {
                result.append(word.substr(starts_[i], starts_[i + 1] - starts_[i]));
                ++i;
            } else {
                result += '-';
            }
        }
        result.append(word.substr(starts_[i]));
    }

  private:
    const HyphDict& dict_;
    bool useUser_;
    std::string cp1250_;
    std::string out_;
    std::vector<size_t> starts_;
};

// Hyphenates each line of a file; false when it cannot be read to its end. A
// line longer than any word can be (see TextInput) is printed as it is.
bool HyphenateLines(const std::string& path, TextEncoding encoding, Hyphenator& hyphenator) {
    TextInput input(encoding);
    std::string problem;
    if (!input.Open(path, problem)) {
        ReportError(kName, MessageName(path), problem);
        return false;
    }
    std::string result;
    std::string_view piece;
    bool lineEnds = false;
    bool whole = true;  // the piece is a whole line
    while (input.NextPiece(piece, lineEnds)) {
        result.clear();
        if (whole && lineEnds)
            hyphenator.Append(piece, result);
        else
            result = piece;
        if (lineEnds)
            result += '\n';
        std::cout << result;
        whole = lineEnds;
    }
    if (!input.Error().empty()) {
        ReportError(kName, MessageName(path), input.Error());
        return false;
    }
    return true;
}

// What went wrong reading the exceptions file, in words.
std::string ReadFailure(int16_t result, const std::string& path) {
    switch (result) {
        case kUserFileCannotOpen: {
            std::string reason = services::ReadProblem(path);
            return "it cannot be opened (" + (reason.empty() ? "it is no file" : reason) + ")";
        }
        case kUserFileSizeShort:
            return "it is too short to hold the size of its list";
        case kUserFileBadSize:
            return "the size of its list is impossible";
        default:
            return "its list is cut short or damaged";
    }
}

std::string UserFileMessage(const HyphDict& dict, int16_t result) {
    const std::string& path = dict.userPath;
    switch (result) {
        case kUserFileNoSeed:
            return "the hyphenation data holds no list to start " + path + " from";
        case kUserFileCannotCreate:
        case kUserFileSizeNotWritten:
        case kUserFileListNotWritten:
            if (!dict.lastSave.Ok())
                return "cannot save the exceptions file: " + dict.lastSave.Describe(path) +
                       " (error " + std::to_string(result) + ")";
            return "cannot write the exceptions file " + path +
                   services::Because(services::WriteProblem(path)) + " (error " +
                   std::to_string(result) + ")";
        default:
            if (!dict.userBackupPath.empty())
                return "the exceptions file " + path +
                       " could not be read: " + ReadFailure(result, dict.userBackupPath) +
                       " (error " + std::to_string(result) + "); it was kept as " +
                       dict.userBackupPath + " and a new list started";
            return "cannot read the exceptions file " + path + ": " + ReadFailure(result, path) +
                   " (error " + std::to_string(result) + ")";
    }
}

int Manage(HyphDict& dict, const Options& options) {
    if (options.action == "--list") {
        std::string word;
        for (bool first = true; NextHyphException(dict, word, first); first = false)
            std::cout << Cp1250ToUtf8(word) << "\n";
        return 0;
    }
    std::string word = Utf8ToCp1250(options.actionWord);
    // An exception is stored as written or not at all (the editor asks the same).
    if (options.action == "--add") {
        if (const char* why = HyphExceptionRefusal(Utf8ToUtf16(options.actionWord), word))
            return Error("'" + options.actionWord + "': " + why);
    }
    int16_t result =
        options.action == "--add" ? AddHyphException(dict, word) : RemoveHyphException(dict, word);
    if (result >= kUserFileCannotCreate && result <= kUserFileListNotWritten)
        return ReportError(kName, "", UserFileMessage(dict, result));
    if (options.action == "--add") {
        if (result == kHyphExceptionPresent)
            return Error("'" + options.actionWord +
                         "' is already listed; remove it first to change its breaks");
        if (result == kHyphExceptionTooLong)
            return Error("'" + options.actionWord +
                         "' cannot be stored: it needs letters, at most 49 breaks and at most "
                         "251 letters and breaks together");
        if (result != kHyphExceptionDone)
            return ReportError(kName, "", "no memory for the exceptions list");
    } else if (result == kHyphExceptionPresent) {
        return Error("'" + options.actionWord + "' is not listed");
    }
    std::cout << (options.action == "--add" ? "Added: " : "Removed: ") << options.actionWord
              << "\n";
    return 0;
}

int Run(const std::vector<std::string>& args) {
    Options options;
    bool fromFiles = false;
    std::vector<std::string> operands;  // words, or with --file files, in their order
    auto action = [&options](const char* name, bool takesWord) {
        return Option{name, 0, takesWord,
                      [&options, name](const std::string& word) -> std::optional<std::string> {
                          if (!options.action.empty())
                              return "give only one of --add, --remove and --list";
                          options.action = std::string("--") + name;
                          options.actionWord = word;
                          return std::nullopt;
                      }};
    };
    const Option table[] = {
        DataOption(options.dataDir),
        UserOption(options.userFile),
        EncodingOption(options.encoding),
        FlagOption("no-user", options.noUser),
        action("add", true),
        action("remove", true),
        action("list", false),
        {"file", 0, true,
         [&](const std::string& file) {
             fromFiles = true;
             operands.push_back(file);
             return std::optional<std::string>();
         }},
    };
    if (std::optional<int> status = ParseCommandLine(kName, args, table, operands))
        return *status;
    // "-" alone is standard input; with --file every argument names a file.
    bool onlyStandardInput =
        !operands.empty() && std::all_of(operands.begin(), operands.end(),
                                         [](const std::string& a) { return a == "-"; });
    if (fromFiles || onlyStandardInput)
        options.files = operands;
    else if (std::find(operands.begin(), operands.end(), "-") != operands.end())
        return UsageError(kName, "give words or files, not both");
    else
        options.words = operands;
    if (!options.action.empty() &&
        (options.noUser || !options.words.empty() || !options.files.empty()))
        return UsageError(kName, options.action + " takes no words to hyphenate and no --no-user");

    std::string dataDir = options.dataDir.empty() ? DefaultXTensionsDir() : options.dataDir;
    std::string dataPath = (std::filesystem::path(dataDir) / "PLHYPH.DAT").string();
    std::unique_ptr<HyphDict> dict;
    if (int16_t result = OpenHyphDict(dataPath, dict); result != 0) {
        std::string problem = services::ReadProblem(dataPath);
        return ReportError(
            kName, dataPath,
            (problem.empty() ? "it is not a hyphenation data file, or it is damaged" : problem) +
                " (error " + std::to_string(result) + ")");
    }
    bool useUser = !options.noUser;
    if (useUser) {
        std::string userPath =
            options.userFile.empty() ? WritableFilePath(dataDir, "PLHYPH.USR") : options.userFile;
        if (int16_t result = LoadUserExceptions(*dict, userPath); result != 0) {
            if (!options.action.empty())
                return ReportError(kName, "", UserFileMessage(*dict, result));
            std::cerr << "tarnik " << kName << ": warning: " << UserFileMessage(*dict, result)
                      << "\n";
        }
    }
    if (!options.action.empty())
        return Manage(*dict, options);

    Hyphenator hyphenator(*dict, useUser);
    if (!options.words.empty()) {
        std::string result;
        for (const std::string& word : options.words) {
            result.clear();
            hyphenator.Append(word, result);
            std::cout << result << "\n";
        }
        return 0;
    }
    if (options.files.empty())
        options.files.push_back("-");
    int status = 0;
    for (const std::string& path : options.files) {
        if (!HyphenateLines(path, options.encoding, hyphenator))
            status = kUsageError;
    }
    return status;
}

CommandRegistration registration({kName, "",
                                  "hyphenate Polish words; manage hyphenation exceptions",
                                  std::string(kHelp) + kEncodingHelp + kHelpEnd, Run});

}  // namespace
}  // namespace tarnik::cli
