// tarnik hyph: hyphenates words and manages the user's hyphenation exceptions.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "charsets/utf8.h"
#include "cli/command.h"
#include "hyphenation/hyph_dict.h"
#include "hyphenation/hyphenate_word.h"
#include "hyphenation/user_exceptions.h"
#include "platform/places.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "hyph";

constexpr char kHelp[] =
    "Usage: tarnik hyph [--data DIR] [--user FILE] [--no-user] [WORD...]\n"
    "       tarnik hyph [--data DIR] [--user FILE] --add WORD | --remove WORD | --list\n\n"
    "Hyphenates the words given, or one word per line of standard input, and prints\n"
    "each with '-' at every allowed break (UTF-8, one per line). A word is hyphenated\n"
    "up to its first digit; the rest is printed as it is.\n\n"
    "  --data DIR     the folder of PLHYPH.DAT (default: the bundled XTensions folder)\n"
    "  --user FILE    the user exceptions file (default: PLHYPH.USR beside PLHYPH.DAT,\n"
    "                 or in the per-user data folder when that folder is read-only)\n"
    "  --no-user      hyphenate without the user exceptions\n"
    "  --add WORD     add a user exception, written with '-' at each break: ko-tek\n"
    "  --remove WORD  remove the user exception for WORD\n"
    "  --list         print the user exceptions\n";

struct Options {
    std::string dataDir;
    std::string userFile;
    bool noUser = false;
    std::string action;  // "", "--add", "--remove", "--list"
    std::string actionWord;
    std::vector<std::string> words;
};

int Error(const std::string& message) {
    std::cerr << "tarnik " << kName << ": " << message << "\n";
    return 1;
}

// The characters of a UTF-8 text, one piece each (a piece starts at every byte
// that is no continuation byte).
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> pieces;
    for (char c : text) {
        if (pieces.empty() || (static_cast<uint8_t>(c) & 0xC0) != 0x80)
            pieces.emplace_back();
        pieces.back().push_back(c);
    }
    return pieces;
}

// The word in UTF-8 with its breaks. The hyphenation sees cp1250, one byte per
// character, and stops at a digit; the breaks are laid back onto the original
// characters, so none is lost, also after a digit.
std::string HyphenateUtf8(const HyphDict& dict, const std::string& word, bool useUser) {
    std::string cp1250 = Utf8ToCp1250(word);
    std::string out;
    if (useUser)
        HyphenateWordWithUser(dict, cp1250, &out);
    else
        HyphenateWordWithoutUser(dict, cp1250, &out);
    std::vector<std::string> characters = Characters(word);
    if (characters.size() != cp1250.size())
        return Cp1250ToUtf8(out);
    std::string result;
    size_t i = 0;
    for (char c : out) {
        if (i < cp1250.size() && c == cp1250[i]) {
            result += characters[i++];
        } else {
            result += '-';
        }
    }
    while (i < characters.size())
        result += characters[i++];
    return result;
}

std::string UserFileMessage(int16_t result, const std::string& path) {
    std::error_code error;
    switch (result) {
        case kUserFileNoSeed:
            return "the hyphenation data holds no list to start " + path + " from";
        case kUserFileCannotCreate:
        case kUserFileSizeNotWritten:
        case kUserFileListNotWritten:
            return "cannot write the exceptions file " + path + " (error " +
                   std::to_string(result) + ")";
        default:
            if (std::filesystem::exists(path + ".bak", error))
                return "the exceptions file " + path + " could not be read (error " +
                       std::to_string(result) + "); it was kept as " + path +
                       ".bak and a new list started";
            return "cannot read the exceptions file " + path + " (error " + std::to_string(result) +
                   ")";
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
    int16_t result =
        options.action == "--add" ? AddHyphException(dict, word) : RemoveHyphException(dict, word);
    if (options.action == "--add") {
        if (result == kHyphExceptionPresent)
            return Error("'" + options.actionWord +
                         "' is already listed; remove it first to change its breaks");
        if (result == kHyphExceptionTooLong)
            return Error("'" + options.actionWord +
                         "' cannot be stored: it needs letters, at most 49 breaks and at most "
                         "251 letters and breaks together");
        if (result != kHyphExceptionDone)
            return Error("no memory for the exceptions list");
    } else if (result == kHyphExceptionPresent) {
        return Error("'" + options.actionWord + "' is not listed");
    }
    // The library does not report its save; check it here, so that success means the file holds it.
    if (int16_t saved = SaveUserExceptions(dict); saved != 0)
        return Error(UserFileMessage(saved, dict.userPath));
    std::cout << (options.action == "--add" ? "Added: " : "Removed: ") << options.actionWord
              << "\n";
    return 0;
}

int Run(const std::vector<std::string>& args) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        bool hasValue = i + 1 < args.size();
        if ((a == "--data" || a == "--user") && !hasValue)
            return UsageError(kName, a + " needs a value");
        if (a == "--data") {
            options.dataDir = args[++i];
        } else if (a == "--user") {
            options.userFile = args[++i];
        } else if (a == "--no-user") {
            options.noUser = true;
        } else if (a == "--add" || a == "--remove" || a == "--list") {
            if (!options.action.empty())
                return UsageError(kName, "give only one of --add, --remove and --list");
            options.action = a;
            if (a != "--list") {
                if (!hasValue)
                    return UsageError(kName, a + " needs a word");
                options.actionWord = args[++i];
            }
        } else if (a == "--") {
            options.words.insert(options.words.end(), args.begin() + i + 1, args.end());
            break;
        } else if (a.size() > 1 && a[0] == '-') {
            return UsageError(kName, "unknown option '" + a + "'");
        } else {
            options.words.push_back(a);
        }
    }
    if (!options.action.empty() && (options.noUser || !options.words.empty()))
        return UsageError(kName, options.action + " takes no words to hyphenate and no --no-user");

    std::string dataDir = options.dataDir.empty() ? DefaultXTensionsDir() : options.dataDir;
    std::string dataPath = (std::filesystem::path(dataDir) / "PLHYPH.DAT").string();
    std::unique_ptr<HyphDict> dict;
    if (int16_t result = OpenHyphDict(dataPath, dict); result != 0) {
        std::cerr << "tarnik " << kName << ": cannot open the hyphenation data " << dataPath
                  << " (error " << result << ")\n";
        return kUsageError;
    }
    bool useUser = !options.noUser;
    if (useUser) {
        std::string userPath =
            options.userFile.empty() ? WritableFilePath(dataDir, "PLHYPH.USR") : options.userFile;
        if (int16_t result = LoadUserExceptions(*dict, userPath); result != 0) {
            if (!options.action.empty())
                return Error(UserFileMessage(result, userPath));
            std::cerr << "tarnik " << kName << ": warning: " << UserFileMessage(result, userPath)
                      << "\n";
        }
    }
    if (!options.action.empty())
        return Manage(*dict, options);

    if (!options.words.empty()) {
        for (const std::string& word : options.words)
            std::cout << HyphenateUtf8(*dict, word, useUser) << "\n";
        return 0;
    }
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::cout << HyphenateUtf8(*dict, line, useUser) << "\n";
    }
    return 0;
}

CommandRegistration registration({kName, "",
                                  "hyphenate Polish words; manage hyphenation exceptions", kHelp,
                                  Run});

}  // namespace
}  // namespace tarnik::cli
