#include "services/other_languages.h"

#include <iconv.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#ifdef TARNIK_HAVE_HUNSPELL
#include <hunspell/hunspell.h>
#endif

namespace tarnik::services {

namespace {

namespace fs = std::filesystem;

// NAME's dictionary as a path without its suffixes; empty when there is none.
std::string FindDictionary(const std::string& name, const std::vector<std::string>& folders) {
    std::error_code failure;
    auto pair = [&failure](const fs::path& base) {
        return fs::is_regular_file(base.string() + ".aff", failure) &&
               fs::is_regular_file(base.string() + ".dic", failure);
    };
    if (name.find('/') != std::string::npos)
        return pair(name) ? name : "";
    for (const std::string& folder : folders) {
        if (pair(fs::path(folder) / name))
            return (fs::path(folder) / name).string();
    }
    if (name.find('_') != std::string::npos)
        return "";
    std::string upper = name;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const std::string& folder : folders) {
        if (pair(fs::path(folder) / (name + "_" + upper)))
            return (fs::path(folder) / (name + "_" + upper)).string();
        std::vector<std::string> found;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, failure)) {
            std::string file = entry.path().filename().string();
            if (file.starts_with(name + "_") && file.ends_with(".dic") &&
                pair(entry.path().parent_path() / entry.path().stem()))
                found.push_back((entry.path().parent_path() / entry.path().stem()).string());
        }
        if (!found.empty())
            return *std::min_element(found.begin(), found.end());
    }
    return "";
}

}  // namespace

std::vector<std::string> HunspellFolders() {
    std::vector<std::string> folders;
    if (const char* path = std::getenv("DICPATH")) {
        std::string list = path;
        for (size_t from = 0; from <= list.size();) {
            size_t colon = std::min(list.find(':', from), list.size());
            if (colon > from)
                folders.push_back(list.substr(from, colon - from));
            from = colon + 1;
        }
    }
    folders.push_back("/usr/share/hunspell");
    folders.push_back("/usr/share/myspell");
    return folders;
}

#ifdef TARNIK_HAVE_HUNSPELL

// One hunspell dictionary, and the conversion of UTF-8 words into its encoding.
struct OtherLanguages::Dictionary {
    static inline const iconv_t kNone = reinterpret_cast<iconv_t>(-1);  // a UTF-8 dictionary

    Hunhandle* handle = nullptr;
    iconv_t toDictionary = kNone;
    iconv_t fromDictionary = kNone;

    ~Dictionary() {
        for (iconv_t conversion : {toDictionary, fromDictionary}) {
            if (conversion != kNone)
                iconv_close(conversion);
        }
        if (handle)
            Hunspell_destroy(handle);
    }

    // `text` converted; false when the other encoding lacks one of its characters.
    static bool Convert(iconv_t conversion, const std::string& text, std::string& converted) {
        if (conversion == kNone) {
            converted = text;
            return true;
        }
        iconv(conversion, nullptr, nullptr, nullptr, nullptr);
        converted.assign(text.size() * 4 + 4, '\0');
        char* in = const_cast<char*>(text.data());
        size_t inLeft = text.size();
        char* out = converted.data();
        size_t outLeft = converted.size();
        if (iconv(conversion, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1))
            return false;
        converted.erase(converted.size() - outLeft);
        return true;
    }
};

std::vector<Error> OtherLanguages::Open(const std::vector<std::string>& names,
                                        const std::vector<std::string>& folders) {
    std::vector<Error> problems;
    for (const std::string& name : names) {
        std::string base = FindDictionary(name, folders);
        if (base.empty()) {
            std::string where;
            for (const std::string& folder : folders)
                where += (where.empty() ? "" : ", ") + folder;
            // hunspell-en-us for en_US, hunspell-de-de for de
            size_t cut = name.find('_');
            std::string package = name.substr(0, cut);
            package.push_back('-');
            package.append(cut == std::string::npos ? name : name.substr(cut + 1));
            std::transform(package.begin(), package.end(), package.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
            std::string hint = name.find('/') == std::string::npos
                                   ? " (Debian's is in a package such as hunspell-" + package + ")"
                                   : "";
            problems.push_back({"no hunspell dictionary '" + name + "' was found in " + where +
                                    hint + "; the words of that language are not accepted",
                                name, 0});
            continue;
        }
        auto dictionary = std::make_unique<Dictionary>();
        dictionary->handle = Hunspell_create((base + ".aff").c_str(), (base + ".dic").c_str());
        const char* encoding =
            dictionary->handle ? Hunspell_get_dic_encoding(dictionary->handle) : nullptr;
        if (!encoding) {
            problems.push_back(
                {base + ".dic: it cannot be read; its words are not accepted", base, 0});
            continue;
        }
        std::string code = encoding;
        if (code != "UTF-8" && code != "utf-8") {
            dictionary->toDictionary = iconv_open(code.c_str(), "UTF-8");
            dictionary->fromDictionary = iconv_open("UTF-8", code.c_str());
            if (dictionary->toDictionary == Dictionary::kNone ||
                dictionary->fromDictionary == Dictionary::kNone) {
                problems.push_back({base + ".aff: its encoding " + code +
                                        " is not known here; its words are not accepted",
                                    base, 0});
                continue;
            }
        }
        dictionaries_.push_back(std::move(dictionary));
    }
    return problems;
}

bool OtherLanguages::Accepts(const std::string& word) const {
    std::string converted;
    for (const std::unique_ptr<Dictionary>& dictionary : dictionaries_) {
        if (Dictionary::Convert(dictionary->toDictionary, word, converted) &&
            Hunspell_spell(dictionary->handle, converted.c_str()) != 0)
            return true;
    }
    return false;
}

void OtherLanguages::Suggest(const std::string& word, std::vector<std::string>& suggestions) const {
    std::string converted;
    for (const std::unique_ptr<Dictionary>& dictionary : dictionaries_) {
        if (!Dictionary::Convert(dictionary->toDictionary, word, converted))
            continue;
        char** list = nullptr;
        int count = Hunspell_suggest(dictionary->handle, &list, converted.c_str());
        for (int i = 0; i < count; ++i) {
            std::string suggestion;
            if (Dictionary::Convert(dictionary->fromDictionary, list[i], suggestion) &&
                std::find(suggestions.begin(), suggestions.end(), suggestion) == suggestions.end())
                suggestions.push_back(std::move(suggestion));
        }
        if (list)
            Hunspell_free_list(dictionary->handle, &list, count);
    }
}

#else  // built without libhunspell

struct OtherLanguages::Dictionary {};

std::vector<Error> OtherLanguages::Open(const std::vector<std::string>& names,
                                        const std::vector<std::string>&) {
    std::vector<Error> problems;
    for (const std::string& name : names)
        problems.push_back({"this tarnik was built without libhunspell, so the dictionary '" +
                                name + "' cannot be used; its words are not accepted",
                            name, 0});
    return problems;
}

bool OtherLanguages::Accepts(const std::string&) const {
    return false;
}

void OtherLanguages::Suggest(const std::string&, std::vector<std::string>&) const {}

#endif

OtherLanguages::OtherLanguages() = default;
OtherLanguages::~OtherLanguages() = default;

bool OtherLanguages::Empty() const {
    return dictionaries_.empty();
}

}  // namespace tarnik::services
