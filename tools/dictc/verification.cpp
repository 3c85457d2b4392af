#include "tools/dictc/verification.h"

#include <algorithm>

#include "charsets/utf8.h"
#include "speller/main_dictionary.h"
#include "speller/user_dictionary.h"
#include "speller/word_check.h"

namespace tarnik::tools {

std::vector<std::string> VerifyDictionary(const std::string& path,
                                          const CompiledDictionary& dictionary, size_t maxReported,
                                          const std::string& mixedCasePath) {
    std::vector<std::string> failures;
    size_t count = 0;
    auto fail = [&](const std::string& what, const std::string& word) {
        if (++count <= maxReported)
            failures.push_back(what + ": " + Cp1250ToUtf8(word));
    };
    if (int16_t result = SpellerOpen(path); result != 0) {
        failures.push_back("the speller cannot open the file (result " + std::to_string(result) +
                           ")");
        return failures;
    }
    auto stored = [&](const std::string& word) {
        return std::binary_search(dictionary.smallForms.begin(), dictionary.smallForms.end(),
                                  word) ||
               std::binary_search(dictionary.alwaysAccepted.begin(),
                                  dictionary.alwaysAccepted.end(), word);
    };
    for (const std::string& word : dictionary.smallForms) {
        if (SpellerCheckWord(word) != 1)
            fail("small form not found", word);
        std::string shorter = word.substr(0, word.size() - 1);
        if (!shorter.empty() && SpellerCheckWord(shorter) == 1 && !stored(shorter))
            fail("word accepted though never stored", shorter);
    }
    for (const std::string& word : dictionary.capitalForms) {
        if (SpellerCheckWord(word) != 1)
            fail("capitals-list word not found", word);
    }
    for (const std::string& word : dictionary.alwaysAccepted) {
        if (SpellerCheckWord(word) != 1)
            fail("always-accepted word not found", word);
    }
    for (const std::string& word : dictionary.abbreviations) {
        if (SpellerCheckWordBeforeStop(word) != 1)
            fail("abbreviation not found before a full stop", word);
    }
    if (!mixedCasePath.empty()) {
        UserDictionary* mixed = nullptr;
        if (int16_t result = UserDictOpen(mixedCasePath, mixed); result != 0) {
            failures.push_back("the speller cannot open the mixed-case dictionary (result " +
                               std::to_string(result) + ")");
        } else {
            for (const std::string& word : dictionary.mixedForms) {
                if (SpellerCheckWord(Utf8ToCp1250(word)) != 1)
                    fail("mixed-case form not found", Utf8ToCp1250(word));
            }
        }
    }
    SpellerClose();
    if (count > maxReported)
        failures.push_back("and " + std::to_string(count - maxReported) + " more failures");
    return failures;
}

}  // namespace tarnik::tools
