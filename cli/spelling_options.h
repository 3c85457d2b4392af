// What `tarnik pipe` and `tarnik list` share: their options, the dictionaries
// they open, and how they find and check the words of a line of text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "speller/user_dictionary.h"

namespace tarnik::cli {

struct SpellingOptions {
    std::string dataDir;   // the folder of son.dic; empty: the bundled one
    std::string userFile;  // empty: user.dic beside son.dic, or in the per-user folder
    bool skipCaps = false;
    bool skipDigits = false;
    std::vector<std::string> files;
};

// The options' lines for a command's help text.
extern const char kSpellingOptionsHelp[];

// Parses `args` into `options`. Returns an exit status after reporting a
// usage error, or none. Names of files are taken only when `takesFiles`.
std::optional<int> ParseSpellingOptions(const std::string& command,
                                        const std::vector<std::string>& args, bool takesFiles,
                                        SpellingOptions& options);

// One word of a line: its range in characters (code points) from the start of
// the line, its text as it stands in the line (UTF-8) and as the speller reads
// it (cp1250, soft hyphens left out).
struct LineWord {
    int32_t offset;
    std::string original;
    std::string cp1250;
    bool beforeStop;  // a full stop follows right after it
};

// The words of a UTF-8 line from character `from` on, found as the spell check
// finds them.
std::vector<LineWord> WordsOfLine(std::string_view utf8, int32_t from = 0);

// The main dictionary and the user dictionary, open for one run.
class SpellingSession {
  public:
    SpellingSession() = default;
    SpellingSession(const SpellingSession&) = delete;
    SpellingSession& operator=(const SpellingSession&) = delete;
    ~SpellingSession();

    // Opens both dictionaries; a missing user dictionary is created. Returns 0,
    // or reports the dictionary that cannot be opened (path and error number)
    // and returns the exit status.
    int Open(const std::string& command, const SpellingOptions& options);

    // Whether the word is skipped by the options or correct, as the spell
    // check decides it: with the abbreviation lists before a full stop, and
    // accepted when the user dictionary holds its exact form.
    bool Passes(const LineWord& word) const;

    UserDictionary* User() const { return user_; }
    const std::string& UserPath() const { return userPath_; }

  private:
    SpellingOptions options_;
    UserDictionary* user_ = nullptr;
    std::string userPath_;
};

}  // namespace tarnik::cli
