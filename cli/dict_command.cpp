// tarnik dict: the user dictionary as a plain word list: list, add, remove,
// import and export. It works on the same user.dic as the plug-in and tarnik pipe.
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/spelling_options.h"
#include "cli/text_input.h"
#include "speller/user_dictionary.h"
#include "tarnik/safe_save.h"
#include "tarnik/text_codec.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "dict";

constexpr char kHelp[] =
    "Usage: tarnik dict [OPTIONS] list\n"
    "       tarnik dict [OPTIONS] add WORD...\n"
    "       tarnik dict [OPTIONS] remove WORD...\n"
    "       tarnik dict [OPTIONS] import FILE|-\n"
    "       tarnik dict [OPTIONS] export [FILE|-]\n\n"
    "Manages the user dictionary, the words you added, capitals kept. It is the\n"
    "same file the plug-in and 'tarnik pipe' use; every change is saved at once.\n\n"
    "  list           print the words, one per line, in alphabetical order\n"
    "                 (capitals first)\n"
    "  add WORD...    add words\n"
    "  remove WORD... remove words\n"
    "  import FILE    add the words of a word list: one word a line, as in\n"
    "                 hunspell's personal dictionaries ('word/FLAGS' gives 'word');\n"
    "                 a line that is not a word is reported with its number and\n"
    "                 skipped; no word already stored is lost\n"
    "  export [FILE]  write the words to FILE (or standard output) in that format\n"
    "                 (UTF-8)\n\n"
    "Options (they may come before or after the action and its words):\n"
    "  --data DIR     the folder of son.dic, beside which user.dic lies\n"
    "  --user FILE, -p FILE\n"
    "                 the user dictionary (default: user.dic beside son.dic, or in\n"
    "                 the per-user data folder when that folder is read-only)\n";
// After kEncodingHelp, which says how import reads its file.
constexpr char kHelpEnd[] =
    "\nA word may hold letters (those of the Polish alphabet and the others that\n"
    "Windows-1250 has: é, ü, ř ...) and the hyphen, at most 255 of them, and starts\n"
    "with a letter.\n\n"
    "Exit status: 0 on success; 1 when a word was refused, is not there to remove,\n"
    "or a line of an import was skipped (the rest is done); 2 for bad usage or a\n"
    "file that cannot be read or written.\n";

class Dictionary {
  public:
    ~Dictionary() {
        if (record_)
            UserDictClose(record_);
    }
    int Open(const std::string& path) {
        path_ = path;
        if (std::optional<Error> problem = services::OpenUserDictionary(path, record_))
            return ReportError(kName, "", problem->Message());
        return 0;
    }

    std::vector<std::string> Words() {
        std::vector<std::string> words;
        std::string word;
        bool more = true;
        for (bool restart = true; more; restart = false) {
            more = UserDictNextWord(record_, word, restart) != 0;
            if (!word.empty())
                words.push_back(Cp1250ToUtf8(word));
        }
        return words;
    }

    bool Contains(const std::string& cp1250) const {
        return UserDictContains(record_, cp1250) == 1;
    }
    int16_t Add(const std::string& cp1250) { return UserDictAddWord(record_, cp1250); }
    int16_t Remove(const std::string& cp1250) { return UserDictRemoveWord(record_, cp1250); }
    int16_t AddAll(const std::vector<std::string>& cp1250) {
        return UserDictAddWords(record_, cp1250);
    }
    const UserDictionary* Record() const { return record_; }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
    UserDictionary* record_ = nullptr;
};

// Reports a change that was not saved; the words saved before it stay.
int NotSaved(const Dictionary& dictionary, const std::string& word, int16_t result) {
    std::cerr
        << "tarnik " << kName << ": '" << word << "' was not saved: "
        << services::UserDictChangeProblem(dictionary.Record(), result, dictionary.Path()).Message()
        << "\n";
    return kUsageError;
}

int AddWords(Dictionary& dictionary, const std::vector<std::string>& words) {
    int status = 0;
    for (const std::string& word : words) {
        std::string cp1250;
        if (std::string problem = services::UserWordProblem(word, cp1250); !problem.empty()) {
            std::cerr << "tarnik " << kName << ": '" << word << "' not added: " << problem << "\n";
            status = kFindingsLeft;
        } else if (!dictionary.Contains(cp1250)) {
            if (int16_t result = dictionary.Add(cp1250); result != 0)
                return NotSaved(dictionary, word, result);
        }
    }
    return status;
}

int RemoveWords(Dictionary& dictionary, const std::vector<std::string>& words) {
    int status = 0;
    for (const std::string& word : words) {
        std::string cp1250 = Utf8ToCp1250(word);
        if (Cp1250ToUtf8(cp1250) != word || !dictionary.Contains(cp1250)) {
            std::cerr << "tarnik " << kName << ": '" << word << "' is not in " << dictionary.Path()
                      << "\n";
            status = kFindingsLeft;
        } else if (int16_t result = dictionary.Remove(cp1250); result != 0) {
            return NotSaved(dictionary, word, result);
        }
    }
    return status;
}

int Import(Dictionary& dictionary, const std::string& path, TextEncoding encoding) {
    TextInput input(encoding);
    std::string problem;
    if (!input.Open(path, problem))
        return ReportError(kName, MessageName(path), problem);
    std::string name = InputName(path);
    int64_t lineNumber = 0;
    std::vector<std::string> words;  // the new ones, saved together at the end
    std::set<std::string> seen;
    size_t present = 0;
    size_t skipped = 0;
    std::string line;
    std::string_view piece;
    bool lineEnds = false;
    auto skip = [&](const std::string& why) {
        std::cerr << name << ":" << lineNumber << ": skipped: " << why << "\n";
        ++skipped;
    };
    // A line is kept up to a length no word reaches (255 letters, each at most
    // four bytes, with room for flags); a longer one is skipped.
    constexpr size_t kLongestLine = 8 * kMaxUserWordLetters;
    bool tooLong = false;
    while (input.NextPiece(piece, lineEnds)) {
        if (line.size() + piece.size() > kLongestLine)
            tooLong = true;
        else
            line.append(piece);
        if (!lineEnds)
            continue;
        ++lineNumber;
        std::string word = line;
        line.clear();
        if (tooLong) {
            tooLong = false;
            skip("the line is longer than any word can be");
            continue;
        }
        // hunspell's personal dictionaries may give a word its affixes: "word/FLAGS".
        if (size_t slash = word.find('/'); slash != std::string::npos && slash > 0)
            word.resize(slash);
        while (!word.empty() && (word.back() == ' ' || word.back() == '\t'))
            word.pop_back();
        size_t start = word.find_first_not_of(" \t");
        word.erase(0, start == std::string::npos ? word.size() : start);
        if (word.empty())
            continue;
        if (lineNumber == 1 && word.find_first_not_of("0123456789") == std::string::npos)
            continue;  // the word count that heads a hunspell .dic file
        if (word[0] == '*') {
            skip("a forbidden word ('*" + word.substr(1) + "') cannot be stored");
            continue;
        }
        std::string cp1250;
        if (std::string why = services::UserWordProblem(word, cp1250); !why.empty()) {
            skip("'" + word + "': " + why);
            continue;
        }
        if (dictionary.Contains(cp1250) || !seen.insert(cp1250).second)
            ++present;
        else
            words.push_back(cp1250);
    }
    if (!input.Error().empty())
        return ReportError(kName, MessageName(path), input.Error());
    // All the new words are saved at once, or none is: the file keeps what it held.
    if (int16_t result = dictionary.AddAll(words); result != 0) {
        std::cerr << "tarnik " << kName << ": nothing was imported: "
                  << services::UserDictChangeProblem(dictionary.Record(), result, dictionary.Path())
                         .Message()
                  << "\n";
        return kUsageError;
    }
    size_t added = words.size();
    std::cout << "Imported " << added << " new word" << (added == 1 ? "" : "s") << " into "
              << dictionary.Path() << " (" << present << " already there, " << skipped << " line"
              << (skipped == 1 ? "" : "s") << " skipped)\n";
    return skipped > 0 ? kFindingsLeft : 0;
}

int Export(Dictionary& dictionary, const std::string& path) {
    std::vector<std::string> words = dictionary.Words();
    if (path.empty() || path == "-") {
        for (const std::string& word : words)
            std::cout << word << "\n";
        return 0;
    }
    std::string text;
    for (const std::string& word : words)
        text += word + "\n";
    // Replaced whole or not at all: a failed export leaves an older list as it was.
    if (SaveResult saved = SaveFileSafely(path, text); !saved.Ok()) {
        std::cerr << "tarnik " << kName << ": " << saved.Describe(path) << "\n";
        return kUsageError;
    }
    return 0;
}

int Run(const std::vector<std::string>& args) {
    std::string dataDir;
    std::string userFile;
    TextEncoding encoding = TextEncoding::kUtf8;
    const Option options[] = {DataOption(dataDir), UserOption(userFile, 'p'),
                              EncodingOption(encoding)};
    std::vector<std::string> rest;
    if (std::optional<int> status = ParseCommandLine(kName, args, options, rest))
        return *status;
    if (rest.empty())
        return UsageError(kName, "give an action: list, add, remove, import or export");
    std::string action = rest[0];
    std::vector<std::string> operands(rest.begin() + 1, rest.end());
    bool fits = (action == "list" && operands.empty()) ||
                ((action == "add" || action == "remove") && !operands.empty()) ||
                (action == "import" && operands.size() == 1) ||
                (action == "export" && operands.size() <= 1);
    if (!fits) {
        if (action != "list" && action != "add" && action != "remove" && action != "import" &&
            action != "export")
            return UsageError(kName, "unknown action '" + action + "'");
        return UsageError(kName, "wrong number of arguments for '" + action + "'");
    }
    Dictionary dictionary;
    if (int status = dictionary.Open(services::UserDictionaryPath(DataFolder(dataDir), userFile));
        status != 0)
        return status;
    if (action == "list" || action == "export")
        return Export(dictionary, operands.empty() ? "" : operands[0]);
    if (action == "add")
        return AddWords(dictionary, operands);
    if (action == "remove")
        return RemoveWords(dictionary, operands);
    return Import(dictionary, operands[0], encoding);
}

CommandRegistration registration({kName, "",
                                  "list, add, remove, import and export the user's own words",
                                  std::string(kHelp) + kEncodingHelp + kHelpEnd, Run});

}  // namespace
}  // namespace tarnik::cli
