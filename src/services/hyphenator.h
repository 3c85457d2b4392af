// Polish hyphenation as every front end uses it: UTF-8 text in and out, the
// places as values, failures as the one error type.
//
// A Hyphenator owns its hyphenation dictionary ("PLHYPH.DAT") with the user's
// exceptions ("PLHYPH.USR" beside it, or in the per-user folder when that
// folder cannot be written, or the file given); it holds no process-wide state.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tarnik/error.h"

namespace tarnik {
struct HyphDict;
}

namespace tarnik::services {

struct HyphenatorPlaces {
    std::string dataFolder;      // the folder of PLHYPH.DAT
    std::string userExceptions;  // empty: PLHYPH.USR in its usual place
    bool useUserExceptions = true;
};

// How a change of the user's exceptions ended.
enum class ExceptionChange {
    kDone,
    kRefused,   // the word cannot be stored as written, or is (not) listed already
    kNotSaved,  // the exceptions file could not be written
};

class Hyphenator {
  public:
    Hyphenator();
    ~Hyphenator();
    Hyphenator(const Hyphenator&) = delete;
    Hyphenator& operator=(const Hyphenator&) = delete;

    // Opens the data; the error when it cannot be read. The exceptions file is
    // read too: what went wrong there is ExceptionsProblem(), and hyphenation
    // goes on with the data's own list.
    std::optional<Error> Open(const HyphenatorPlaces& places);
    const std::optional<Error>& ExceptionsProblem() const { return exceptionsProblem_; }

    // The text with `mark` at every allowed break of each of its words, every
    // other character kept: punctuation around a word and the hyphen of a
    // compound are no part of a word, as in the plug-in's Hyphenate Box.
    std::string Hyphenate(std::string_view text, std::string_view mark = "-") const;

    // The user's exceptions, each with '-' at its breaks.
    std::vector<std::string> Exceptions() const;

    // Adds an exception written with '-' at its breaks, or removes a word's;
    // the outcome, and on anything but kDone, why.
    ExceptionChange Add(std::string_view hyphenated, Error& why);
    ExceptionChange Remove(std::string_view word, Error& why);

  private:
    std::string ExceptionsFileMessage(int16_t result) const;

    std::unique_ptr<HyphDict> dict_;
    bool useUser_ = true;
    std::optional<Error> exceptionsProblem_;
};

}  // namespace tarnik::services
