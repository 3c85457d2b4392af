// What `tarnik pipe` and `tarnik list` share: their options (Tarnik's own and
// those of ispell and hunspell that editors and scripts pass), the dictionaries
// they open, and how they find and check the words of a text.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/text_filter.h"
#include "cli/text_input.h"
#include "speller/user_dictionary.h"

namespace tarnik::cli {

struct SpellingOptions {
    std::string dataDir;   // the folder of son.dic; empty: the bundled one
    std::string userFile;  // empty: user.dic beside son.dic, or in the per-user folder
    bool skipCaps = false;
    bool skipDigits = false;
    TextFormat format = TextFormat::kPlain;
    bool checkAddresses = false;  // check URLs, e-mail addresses and paths too
    bool locations = false;       // list: FILE:LINE:COLUMN: WORD
    bool version = false;         // -v, -vv: print the version line and stop
    bool alphabetical = false;    // suggestions in alphabetical order, not ranked
    TextEncoding encoding = TextEncoding::kUtf8;
    std::vector<std::string> files;
};

// The options' lines for a command's help text (followed by kEncodingHelp).
extern const char kSpellingOptionsHelp[];

// Parses `args` into `options`: none to go on, or the exit status to end with
// (after --help, --version or a usage error). Names of files are taken only when
// `takesFiles`.
std::optional<int> ParseSpellingOptions(const std::string& command,
                                        const std::vector<std::string>& args, bool takesFiles,
                                        SpellingOptions& options);

// The version line of the pipe protocol, as `-v` prints it.
extern const char kVersionLine[];

// One word of a line: its place in characters (code points) from the start of
// the line, its text as it stands in the line (UTF-8) and as the speller reads
// it (cp1250, soft hyphens left out).
struct LineWord {
    int64_t offset = 0;
    std::string original;
    std::string cp1250;
    bool beforeStop = false;  // a full stop follows right after it
};

// A word given by name (a pipe command, a word to add) in the speller's cp1250,
// as the word finder would read it from text: decomposed letters composed, a
// letter without a cp1250 byte as the letter no code holds (so the word is
// refused whole, never stored cut), any other such character as '?'.
std::string SpellerText(std::string_view utf8);

// Finds the words of a text as the spell check finds them, a piece of a line at
// a time (see TextInput), after `filter` has blanked what is not prose.
class WordCutter {
  public:
    explicit WordCutter(TextFilter& filter) : filter_(filter) {}

    // The words of `piece`, which begins `lineOffset` characters into its line;
    // `lineOffset` is then moved past the piece, and to 0 when `lineEnds`.
    void Cut(std::string_view piece, bool lineEnds, int64_t& lineOffset,
             const std::function<void(const LineWord&)>& found);

  private:
    TextFilter& filter_;
    std::u16string units_;
    std::u16string codes_;
    std::vector<int32_t> characterAt_;
    LineWord word_;
};

// The main dictionary and the user dictionary, open for one run.
class SpellingSession {
  public:
    SpellingSession() = default;
    SpellingSession(const SpellingSession&) = delete;
    SpellingSession& operator=(const SpellingSession&) = delete;
    ~SpellingSession();

    // Opens both dictionaries; a missing user dictionary is created. Returns 0,
    // or reports the dictionary that cannot be opened (path and reason) and
    // returns the exit status.
    int Open(const std::string& command, const SpellingOptions& options);

    // Whether the word is skipped by the options or correct, as the spell
    // check decides it: with the abbreviation lists before a full stop, and
    // accepted when the user dictionary holds its exact form.
    bool Passes(const LineWord& word) const;

    // The suggestions for a misspelt word (UTF-8): ranked, best first, or the
    // whole alphabetical list with --alphabetical.
    std::vector<std::string> Suggest(const LineWord& word) const;

    UserDictionary* User() const { return user_; }
    const std::string& UserPath() const { return userPath_; }

  private:
    SpellingOptions options_;
    UserDictionary* user_ = nullptr;
    std::string userPath_;
};

// Why `word` (UTF-8) cannot be stored in a user dictionary exactly as it is
// written, or empty when it can; `cp1250` receives the word as it would be stored.
std::string UserWordProblem(const std::string& word, std::string& cp1250);

// Why adding or removing a word gave `result` (not 0): the file was damaged
// meanwhile, or the save failed and why.
std::string UserDictChangeProblem(const UserDictionary* user, int16_t result,
                                  const std::string& path);

// The user dictionary's file: `userFile` when given, else user.dic beside son.dic
// in `dataDir` (empty: the bundled folder), or in the per-user folder when that
// folder is read-only.
std::string UserDictionaryPath(const std::string& dataDir, const std::string& userFile);

// Opens the user dictionary `path`, creating it when it is missing or empty (never
// when it holds something that cannot be read). 0, or the exit status after the
// reason was reported.
int OpenUserDictionary(const std::string& command, const std::string& path,
                       UserDictionary*& record);

// Why a dictionary file did not open, in words, from its open's result.
std::string DictionaryProblem(const std::string& path, int result);

}  // namespace tarnik::cli
