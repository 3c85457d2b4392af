#include "services/hyphenator.h"

#include <filesystem>

#include "charsets/utf8.h"
#include "hyphenation/exception_word.h"
#include "hyphenation/hyph_dict.h"
#include "hyphenation/hyphenate_text.h"
#include "hyphenation/user_exceptions.h"
#include "platform/places.h"
#include "services/file_problem.h"

namespace tarnik::services {

namespace {

// What went wrong reading the exceptions file, in words.
std::string ReadFailure(int16_t result, const std::string& path) {
    switch (result) {
        case kUserFileCannotOpen: {
            std::string reason = ReadProblem(path);
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

bool IsWriteFailure(int16_t result) {
    return result >= kUserFileCannotCreate && result <= kUserFileListNotWritten;
}

}  // namespace

Hyphenator::Hyphenator() = default;
Hyphenator::~Hyphenator() = default;

std::string Hyphenator::ExceptionsFileMessage(int16_t result) const {
    const HyphDict& dict = *dict_;
    const std::string& path = dict.userPath;
    const std::string number = " (error " + std::to_string(result) + ")";
    if (result == kUserFileNoSeed)
        return "the hyphenation data holds no list to start " + path + " from";
    if (IsWriteFailure(result)) {
        if (!dict.lastSave.Ok())
            return "cannot save the exceptions file: " + dict.lastSave.Describe(path) + number;
        return "cannot write the exceptions file " + path + Because(WriteProblem(path)) + number;
    }
    if (!dict.userBackupPath.empty())
        return "the exceptions file " + path +
               " could not be read: " + ReadFailure(result, dict.userBackupPath) + number +
               "; it was kept as " + dict.userBackupPath + " and a new list started";
    return "cannot read the exceptions file " + path + ": " + ReadFailure(result, path) + number;
}

std::optional<Error> Hyphenator::Open(const HyphenatorPlaces& places) {
    exceptionsProblem_.reset();
    useUser_ = places.useUserExceptions;
    std::string dataPath = (std::filesystem::path(places.dataFolder) / "PLHYPH.DAT").string();
    if (int16_t result = OpenHyphDict(dataPath, dict_); result != 0) {
        std::string problem = ReadProblem(dataPath);
        return Error{dataPath + ": " +
                         (problem.empty() ? "it is not a hyphenation data file, or it is damaged"
                                          : problem) +
                         " (error " + std::to_string(result) + ")",
                     dataPath, 0};
    }
    if (useUser_) {
        std::string userPath = places.userExceptions.empty()
                                   ? WritableFilePath(places.dataFolder, "PLHYPH.USR")
                                   : places.userExceptions;
        if (int16_t result = LoadUserExceptions(*dict_, userPath); result != 0)
            exceptionsProblem_ = Error{ExceptionsFileMessage(result), userPath, 0};
    }
    return std::nullopt;
}

std::string Hyphenator::Hyphenate(std::string_view text, std::string_view mark) const {
    // The hyphenation sees cp1250, one byte per character; the breaks are laid
    // back onto the original characters, so none is lost.
    const std::string cp1250 = Utf8ToCp1250(text);
    const std::string marked = HyphenateText(*dict_, cp1250, useUser_);
    std::vector<size_t> starts;  // where each character starts
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<uint8_t>(text[i]) & 0xC0) != 0x80)
            starts.push_back(i);
    }
    std::string result;
    if (starts.size() != cp1250.size())
        return Cp1250ToUtf8(marked);
    starts.push_back(text.size());
    size_t i = 0;
    for (char c : marked) {
        if (i < cp1250.size() && c == cp1250[i]) {
            result.append(text.substr(starts[i], starts[i + 1] - starts[i]));
            ++i;
        } else {
            result.append(mark);
        }
    }
    result.append(text.substr(starts[i]));
    return result;
}

std::vector<std::string> Hyphenator::Exceptions() const {
    std::vector<std::string> words;
    std::string word;
    for (bool first = true; NextHyphException(*dict_, word, first); first = false)
        words.push_back(Cp1250ToUtf8(word));
    return words;
}

ExceptionChange Hyphenator::Add(std::string_view hyphenated, Error& why) {
    const std::string shown(hyphenated);
    std::string word;
    // An exception is stored as written or not at all (the editor asks the same).
    if (const char* refusal = HyphExceptionRefusal(Utf8ToUtf16(hyphenated), word)) {
        why = {"'" + shown + "': " + refusal, dict_->userPath, 0};
        return ExceptionChange::kRefused;
    }
    int16_t result = AddHyphException(*dict_, word);
    if (IsWriteFailure(result)) {
        why = {ExceptionsFileMessage(result), dict_->userPath, 0};
        return ExceptionChange::kNotSaved;
    }
    if (result == kHyphExceptionPresent)
        why = {"'" + shown + "' is already listed; remove it first to change its breaks",
               dict_->userPath, 0};
    else if (result == kHyphExceptionTooLong)
        why = {"'" + shown +
                   "' cannot be stored: it needs letters, at most 49 breaks and at most 251 "
                   "letters and breaks together",
               dict_->userPath, 0};
    else if (result == kHyphExceptionDone)
        return ExceptionChange::kDone;
    else {
        why = {"no memory for the exceptions list", dict_->userPath, 0};
        return ExceptionChange::kNotSaved;
    }
    return ExceptionChange::kRefused;
}

ExceptionChange Hyphenator::Remove(std::string_view word, Error& why) {
    int16_t result = RemoveHyphException(*dict_, Utf8ToCp1250(word));
    if (IsWriteFailure(result)) {
        why = {ExceptionsFileMessage(result), dict_->userPath, 0};
        return ExceptionChange::kNotSaved;
    }
    if (result == kHyphExceptionPresent) {
        std::string message = "'";  // built in steps: GCC 12 sees a false overlap in '+'
        message.append(word).append("' is not listed");
        why = {std::move(message), dict_->userPath, 0};
        return ExceptionChange::kRefused;
    }
    return ExceptionChange::kDone;
}

}  // namespace tarnik::services
