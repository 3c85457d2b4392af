#include "services/personal_words.h"

#include <cerrno>
#include <filesystem>

#include "files/file_lock.h"
#include "tarnik/file_io.h"
#include "tarnik/safe_save.h"

namespace tarnik::services {

namespace {

namespace fs = std::filesystem;

// The word of one line, without its flags; empty when the line holds none.
std::string LineWord(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.empty() || line[0] == '*')
        return "";
    std::string word;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '/') {
            word += '/';
            ++i;
        } else if (line[i] == '/') {
            break;
        } else {
            word += line[i];
        }
    }
    return word;
}

std::optional<Error> ReadList(const std::string& path, std::string& text) {
    std::optional<Error> problem = ReadWholeFile(path, text);
    if (problem && problem->osError == ENOENT) {
        text.clear();
        return std::nullopt;
    }
    return problem;
}

}  // namespace

std::vector<std::string> PersonalWords(std::string_view text) {
    std::vector<std::string> words;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string word = LineWord(text.substr(0, end));
        if (!word.empty())
            words.push_back(std::move(word));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return words;
}

std::optional<Error> PersonalWordList::Open(const std::string& path) {
    path_ = path;
    words_.clear();
    std::error_code failure;
    if (!fs::exists(path, failure)) {
        fs::path folder = fs::path(path).parent_path();
        if (!folder.empty() && !fs::create_directories(folder, failure) && failure)
            return Error{"cannot create the folder " + folder.string() + " of " + path, path,
                         failure.value()};
        FileLock lock(path);
        if (!fs::exists(path, failure)) {
            if (SaveResult saved = SaveFileSafely(path, ""); !saved.Ok())
                return saved.ToError(path);
        }
    }
    std::string text;
    if (std::optional<Error> problem = ReadList(path, text))
        return problem;
    words_ = PersonalWords(text);
    return std::nullopt;
}

std::optional<Error> PersonalWordList::Add(std::string_view word) {
    FileLock lock(path_);
    std::string text;
    if (std::optional<Error> problem = ReadList(path_, text))
        return problem;
    words_ = PersonalWords(text);
    for (const std::string& held : words_) {
        if (held == word)
            return std::nullopt;
    }
    if (!text.empty() && text.back() != '\n')
        text += '\n';
    for (char c : word)
        text += c == '/' ? std::string("\\/") : std::string(1, c);
    text += '\n';
    if (SaveResult saved = SaveFileSafely(path_, text); !saved.Ok())
        return saved.ToError(path_);
    words_.emplace_back(word);
    return std::nullopt;
}

}  // namespace tarnik::services
