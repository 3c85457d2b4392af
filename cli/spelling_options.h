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

#include "cli/text_input.h"
#include "markup/text_filter.h"
#include "services/speller.h"

namespace tarnik::cli {

using markup::TextFilter;
using markup::TextFormat;
using markup::TextFormatFromName;

// What tarnik list prints, as hunspell's options choose it.
enum class ListShows {
    kWords,             // -l: the misspelt words
    kLines,             // -L: the lines that hold a misspelt word
    kWordLines,         // -w: each line is one word; the misspelt ones
    kFirstSuggestions,  // -u: "Line N: WORD -> SUGGESTION" for the words with one
};

struct SpellingOptions {
    std::string dataDir;   // the folder of son.dic; empty: the bundled one
    std::string userFile;  // empty: user.dic beside son.dic, or in the per-user folder
    // -p: a personal word list in hunspell's format, or a user dictionary that
    // is one already.
    std::string personalFile;
    std::vector<std::string> otherLanguages;  // -d pl,en: the names after Polish's
    bool skipCaps = false;
    bool skipDigits = false;
    TextFormat format = TextFormat::kPlain;
    bool formatGiven = false;     // a mode option was given (else: the file's extension)
    bool checkAddresses = false;  // check URLs, e-mail addresses and paths too
    bool locations = false;       // list: FILE:LINE:COLUMN: WORD
    ListShows shows = ListShows::kWords;
    bool correct = false;       // list -G: the correct words (or lines) instead
    bool version = false;       // -v, -vv: print the version line and stop
    bool alphabetical = false;  // suggestions in alphabetical order, not ranked
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

// Reads -d's comma-separated dictionary names: a Polish one must be among
// them; the others' names go into `others`. The problem, or none.
std::optional<std::string> ParseDictionaryNames(const std::string& names,
                                                std::vector<std::string>& others);

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

// Finds the words of a text as the spell check finds them, a piece of a line at
// a time (see TextInput), through `filter`, which leaves its prose (markup/
// text_filter.h): plain text a piece at a time, marked-up text a whole line at a
// time (its pieces are gathered).
class WordCutter {
  public:
    explicit WordCutter(TextFilter& filter) : filter_(filter) {}

    // The words of `piece`, which begins `lineOffset` characters into its line,
    // found once its line has ended; `lineOffset` is then moved past the piece,
    // and to 0 when `lineEnds`. A word's offset counts characters of the line.
    void Cut(std::string_view piece, bool lineEnds, int64_t& lineOffset,
             const std::function<void(const LineWord&)>& found);

  private:
    TextFilter& filter_;
    std::string line_;        // the pieces of the line so far
    int64_t lineStart_ = 0;   // the offset the line's first piece began at
    bool inLine_ = false;
    markup::ProseLine prose_;
    LineWord word_;
};

// How pipe and list begin: parses `args` into `options` (see
// ParseSpellingOptions), prints the version line and stops for -v, and opens
// `speller` as the options say (the bundled data folder when none is given),
// reporting what it could not open, and what it opened without. None to go
// on, or the exit status to end with.
std::optional<int> StartSpelling(const std::string& command, const std::vector<std::string>& args,
                                 bool takesFiles, SpellingOptions& options,
                                 services::Speller& speller);

// Where the speller finds its dictionaries, as the options name them.
services::SpellerPlaces SpellerPlacesOf(const SpellingOptions& options);

// The data folder the options name, or the bundled one.
std::string DataFolder(const std::string& dataDir);

}  // namespace tarnik::cli
