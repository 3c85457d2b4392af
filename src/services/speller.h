// The spell checker as every front end uses it (the command line's pipe, list
// and dict; an editor's provider; a language server): UTF-8 words in and out,
// the options as a value, failures as the one error type with the path and the
// system's reason.
//
// A Speller owns the speller's process-wide state while it is open: the main
// dictionary "son.dic", the user dictionary, and the bundled list of the
// source's mixed-case words ("mixedcase.dic") beside son.dic. One is open at a
// time in a process.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "services/accepted_words.h"
#include "services/other_languages.h"
#include "services/personal_words.h"
#include "speller/user_dictionary.h"
#include "tarnik/error.h"

namespace tarnik::services {

struct SpellerOptions {
    bool skipCapitals = false;  // words in capitals pass (PKP, NATO)
    bool skipDigits = false;    // words that hold digits pass (A4, 2015r)
    bool alphabetical = false;  // every suggestion, alphabetical, instead of the likeliest first
};

struct SpellerPlaces {
    std::string dataFolder;      // the folder of son.dic
    std::string userDictionary;  // empty: user.dic beside son.dic, or in the per-user folder
    // A personal word list in hunspell's format (services/personal_words.h),
    // consulted beside the user dictionary; the words added go there instead.
    // One that cannot be read or made is a warning. Empty: none.
    std::string personalWords = {};
    // Other languages' hunspell dictionaries (services/other_languages.h): a
    // word one of them accepts passes; their suggestions follow Tarnik's.
    std::vector<std::string> otherLanguages = {};
};

class Speller {
  public:
    Speller() = default;
    ~Speller();
    Speller(const Speller&) = delete;
    Speller& operator=(const Speller&) = delete;

    // Opens the dictionaries. The user dictionary is created when it is
    // missing or empty, never when it holds something that cannot be read (a
    // word list in another format, a damaged list): that is refused.
    std::optional<Error> Open(const SpellerPlaces& places, const SpellerOptions& options);

    // What went wrong without stopping the opening: the mixed-case list that
    // could not be read, say.
    const std::vector<Error>& Warnings() const { return warnings_; }

    // Whether `word` (UTF-8) passes: skipped by the options, or correct.
    // `beforeStop`: a full stop follows it (abbreviations pass then).
    bool Check(std::string_view word, bool beforeStop = false) const;

    // The suggestions for a misspelt word (UTF-8): the likeliest first, or all
    // of them in alphabetical order.
    std::vector<std::string> Suggest(std::string_view word) const;

    // Adds a word to the personal word list when there is one, else to the user
    // dictionary, and removes words of the user dictionary; the reason when the
    // word cannot be stored as it is written or the change cannot be saved. An
    // added word passes at once.
    std::optional<Error> Add(std::string_view word);
    // Why Add refuses `word` as it is written (a user dictionary holds letters
    // alone); empty when it takes it.
    std::string AddRefusal(std::string_view word) const;
    std::optional<Error> Remove(std::string_view word);

    // Lets `word` pass for as long as the speller is open; nothing is saved.
    void Accept(std::string_view word);

    UserDictionary* User() const { return user_; }
    const std::string& UserPath() const { return userPath_; }
    // Where Add puts words: the personal word list, or the user dictionary.
    const std::string& AddPath() const {
        return personal_.Path().empty() ? userPath_ : personal_.Path();
    }

  private:
    SpellerOptions options_;
    UserDictionary* user_ = nullptr;
    std::string userPath_;
    std::vector<Error> warnings_;
    PersonalWordList personal_;
    OtherLanguages others_;
    AcceptedWords accepted_;  // for the run, and the personal word list's
    bool open_ = false;
};

// A word given by name (a pipe command, a word to add) in the speller's cp1250,
// as the word finder would read it from text: decomposed letters composed, a
// letter without a cp1250 byte as the letter no code holds (so the word is
// refused whole, never stored cut), any other such character as '?'.
std::string SpellerText(std::string_view utf8);

// Why `word` (UTF-8) cannot be stored in a user dictionary exactly as it is
// written, or empty when it can; `cp1250` receives the word as it would be stored.
std::string UserWordProblem(std::string_view word, std::string& cp1250);

// Why a change of `user` gave `result` (not 0): the file was damaged
// meanwhile, or the save failed and why.
Error UserDictChangeProblem(const UserDictionary* user, int16_t result, const std::string& path);

// The user dictionary's file: `userFile` when given, else user.dic beside
// son.dic in `dataFolder`, or in the per-user folder when that folder is read-only.
std::string UserDictionaryPath(const std::string& dataFolder, const std::string& userFile);

// Whether `path` holds a Tarnik user dictionary: a file that is there, not
// empty, and no word list.
bool HoldsUserDictionary(const std::string& path);

// Opens the user dictionary `path` into `record`, creating it when it is
// missing or empty (never when it holds something that cannot be read).
std::optional<Error> OpenUserDictionary(const std::string& path, UserDictionary*& record);

// Why a dictionary file did not open, from its open's result.
Error DictionaryProblem(const std::string& path, int result);

}  // namespace tarnik::services
