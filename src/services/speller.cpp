#include "services/speller.h"

#include <filesystem>
#include <fstream>

#include "charsets/utf8.h"
#include "files/checksum_trailer.h"
#include "files/resource_container.h"
#include "platform/places.h"
#include "services/file_problem.h"
#include "speller/bundled_list.h"
#include "speller/letter_code.h"
#include "speller/main_dictionary.h"
#include "speller/ranked_suggestions.h"
#include "speller/replacements.h"
#include "speller/word_frequencies.h"
#include "speller/word_verdict.h"
#include "text/unicode_case.h"
#include "text/word_finder.h"

namespace tarnik::services {

namespace {

namespace fs = std::filesystem;

// Whether the file starts with four bytes of text. A user dictionary starts with
// its list's length, little-endian, whose last bytes are 0 for any list it can
// hold; a word list (a hunspell personal dictionary, say) starts with a word.
bool LooksLikeText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char head[4];
    if (!file.read(head, sizeof head))
        return false;
    for (char c : head) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 && c != '\n' && c != '\r' && c != '\t')
            return false;
    }
    return true;
}

}  // namespace

std::string SpellerText(std::string_view utf8) {
    std::string text;
    for (char16_t code : Utf8ToInternal(utf8)) {
        if (IsWordChar(code))
            AppendWordChar(text, code);
        else
            text.push_back(code < 256 ? static_cast<char>(code) : '?');
    }
    return text;
}

Error DictionaryProblem(const std::string& path, int result) {
    std::string problem = ReadProblem(path);
    if (problem.empty()) {
        if (result == kContainerCannotOpen)
            problem = "it cannot be opened";
        else if (result == kContainerDamaged)
            problem = "it is damaged: it is cut short or changed, or lacks its checksum";
        else if (result >= kContainerIndexShort && result <= kContainerDamaged)
            problem = "it is not a dictionary file, or it is damaged";
        else if (result == kSpellerOpenFailed)
            problem = "it holds no usable dictionary";
        else
            problem = "it cannot be read";
    }
    return {path + ": " + problem + " (error " + std::to_string(result) + ")", path, 0};
}

std::string UserWordProblem(std::string_view word, std::string& cp1250) {
    cp1250 = SpellerText(word);
    if (cp1250.find(static_cast<char>(kUnheldLetter)) != std::string::npos)
        return "it holds a letter that Windows-1250 lacks";
    uint8_t first = cp1250.empty() ? 0 : TextToWordCode(static_cast<uint8_t>(cp1250[0]));
    if (first == 0 || first == kHyphenCode)
        return "a word starts with a letter";
    if (WordLetterCount(cp1250) != cp1250.size())
        return "only letters and the hyphen can be stored";
    if (cp1250.size() > kMaxUserWordLetters)
        return "it is longer than 255 letters";
    return "";
}

Error UserDictChangeProblem(const UserDictionary* user, int16_t result, const std::string& path) {
    if (result == kUserDictDamaged)
        return {"the file has been damaged since it was opened; it is left as it is", path, 0};
    if (user && !user->lastSave.Ok())
        return user->lastSave.ToError(path);
    return {"the dictionary could not be saved" + Because(WriteProblem(path)), path, 0};
}

std::string UserDictionaryPath(const std::string& dataFolder, const std::string& userFile) {
    if (!userFile.empty())
        return userFile;
    return WritableFilePath(dataFolder, "user.dic");
}

bool HoldsUserDictionary(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(path, error) && fs::file_size(path, error) > 0 && !error &&
           !LooksLikeText(path);
}

std::optional<Error> OpenUserDictionary(const std::string& path, UserDictionary*& record) {
    if (LooksLikeText(path)) {
        return Error{path +
                         " is a plain word list, not a Tarnik user dictionary; to use its words, "
                         "import them: tarnik dict --user NEW.dic import " +
                         path,
                     path, 0};
    }
    int16_t result = UserDictOpen(path, record);
    // Only a missing or empty file is made anew: a file that cannot be read may
    // still hold the user's words.
    std::error_code error;
    if (result != 0 && (!fs::exists(path, error) || fs::file_size(path, error) == 0)) {
        SaveResult saved;
        if (int16_t created = UserDictCreate(path, &saved); created != 0) {
            return Error{
                "cannot create the user dictionary " + path +
                    (saved.Ok() ? Because(WriteProblem(path)) : ": " + saved.Describe(path)) +
                    " (error " + std::to_string(created) + ")",
                path, 0};
        }
        result = UserDictOpen(path, record);
    }
    if (result != 0) {
        std::string problem = ReadProblem(path);
        if (problem.empty())
            problem = result == kUserDictDamaged ? "its word list is damaged; it is left as it is"
                                                 : "its word list cannot be read";
        return Error{path + ": " + problem + " (error " + std::to_string(result) + ")", path, 0};
    }
    return std::nullopt;
}

Speller::~Speller() {
    if (open_) {
        UserDictCloseAll();
        SpellerClose();
    }
}

std::optional<Error> Speller::Open(const SpellerPlaces& places, const SpellerOptions& options) {
    options_ = options;
    warnings_.clear();
    std::string mainPath = (fs::path(places.dataFolder) / "son.dic").string();
    if (int16_t result = SpellerOpen(mainPath); result != 0)
        return DictionaryProblem(mainPath, result);
    open_ = true;
    userPath_ = UserDictionaryPath(places.dataFolder, places.userDictionary);
    if (std::optional<Error> problem = OpenUserDictionary(userPath_, user_))
        return problem;
    // The source's mixed-case words (GHz, JavaScript), which son.dic cannot
    // hold, are consulted beside the user's own and never written; without them
    // those words are refused.
    std::string mixedPath = (fs::path(places.dataFolder) / kMixedCaseDictionaryName).string();
    std::error_code error;
    UserDictionary* mixed = nullptr;
    if (fs::exists(mixedPath, error)) {
        if (int16_t result = UserDictOpenSealed(mixedPath, mixed); result != 0)
            warnings_.push_back({"cannot open the dictionary " + mixedPath + " (error " +
                                     std::to_string(result) +
                                     "); words in mixed case are checked without it",
                                 mixedPath, 0});
    }
    // The bundled lists are read when a suggestion first needs them; one that
    // is there but damaged is named now, while it can still be told.
    if (!places.personalWords.empty()) {
        // As hunspell does, the check goes on without a list it cannot read or
        // make; a word to be added to it then fails and is told.
        if (std::optional<Error> problem = personal_.Open(places.personalWords))
            warnings_.push_back({problem->Message() + "; the check goes on without its words",
                                 places.personalWords, 0});
        for (const std::string& word : personal_.Words())
            Accept(word);
    }
    for (Error& problem : others_.Open(places.otherLanguages, HunspellFolders()))
        warnings_.push_back(std::move(problem));
    for (const char* name : {kWordFrequenciesName, kReplacementsName}) {
        std::string path = (fs::path(places.dataFolder) / name).string();
        if (CheckBundledList(name) == SealedFile::kDamaged)
            warnings_.push_back({path +
                                     ": it is damaged (cut short or changed, or without its "
                                     "checksum) and is not used; suggestions are ranked without it",
                                 path, 0});
    }
    return std::nullopt;
}

bool Speller::Check(std::string_view word, bool beforeStop) const {
    const std::string text = SpellerText(word);
    uint16_t caseClass = WordCaseClass(text);
    if (options_.skipDigits && (caseClass & kCaseDigit))
        return true;
    if (options_.skipCapitals && (caseClass & kCaseCapitals))
        return true;
    return WordIsCorrect(text, beforeStop, user_) || accepted_.HoldsAsWritten(word) ||
           others_.Accepts(std::string(word));
}

std::vector<std::string> Speller::Suggest(std::string_view word) const {
    std::vector<std::string> words = ShownSuggestions(SpellerText(word), !options_.alphabetical);
    for (std::string& w : words)
        w = Cp1250ToUtf8(w);
    others_.Suggest(std::string(word), words);
    return words;
}

std::string Speller::AddRefusal(std::string_view word) const {
    std::string cp1250;
    if (!personal_.Path().empty())
        return word.find_first_of("\r\n") == std::string_view::npos ? "" : "it is not one line";
    return UserWordProblem(word, cp1250);
}

std::optional<Error> Speller::Add(std::string_view word) {
    if (std::string problem = AddRefusal(word); !problem.empty())
        return Error{problem, AddPath(), 0};
    if (!personal_.Path().empty()) {
        if (std::optional<Error> problem = personal_.Add(word))
            return problem;
        Accept(word);
        return std::nullopt;
    }
    std::string cp1250;
    UserWordProblem(word, cp1250);
    if (int16_t result = UserDictAddWord(user_, cp1250); result != kUserDictOk)
        return UserDictChangeProblem(user_, result, userPath_);
    return std::nullopt;
}

void Speller::Accept(std::string_view word) {
    accepted_.Accept(word);
}

std::optional<Error> Speller::Remove(std::string_view word) {
    if (int16_t result = UserDictRemoveWord(user_, SpellerText(word)); result != kUserDictOk)
        return UserDictChangeProblem(user_, result, userPath_);
    return std::nullopt;
}

}  // namespace tarnik::services
