// tarnik pipe (tarnik -a): the ispell pipe protocol, for editors.
#include <iostream>
#include <string>
#include <vector>

#include "charsets/utf8.h"
#include "cli/command.h"
#include "cli/spelling_options.h"
#include "speller/suggestions.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "pipe";

const std::string kHelp =
    std::string(
        "Usage: tarnik pipe [OPTIONS]    (also: tarnik -a [OPTIONS])\n\n"
        "Speaks the ispell pipe protocol on standard input and output, so that editors\n"
        "can use Tarnik as their Polish spell checker. Text is UTF-8.\n\n"
        "First a banner line starting with '@(#) '. Then, for each line of text, one\n"
        "line per word and an empty line:\n"
        "  *                             the word is correct\n"
        "  & WORD COUNT OFFSET: S1, S2   misspelt, with suggestions\n"
        "  # WORD OFFSET                 misspelt, no suggestions\n"
        "OFFSET counts characters from the start of the line (0 is the first).\n\n"
        "A line that starts with one of these is a command:\n"
        "  *WORD   add WORD to the user dictionary (saved at once)\n"
        "  @WORD   accept WORD for the rest of the run\n"
        "  #       save the user dictionary (it is always saved already)\n"
        "  !       terse mode: no '*' lines for correct words\n"
        "  %       back to verbose mode\n"
        "  + ~     accepted and ignored\n"
        "  ^TEXT   check TEXT even if it starts with a command character\n\n"
        "Options:\n") +
    kSpellingOptionsHelp;

constexpr char kBanner[] = "@(#) International Ispell Version 3.2.06 (but really Tarnik 11.0.0)";

class PipeSession {
  public:
    explicit PipeSession(const SpellingSession& spelling) : spelling_(spelling) {}

    void Line(const std::string& line) {
        if (line.empty())
            return Check(line, 0);
        std::string rest = line.substr(1);
        switch (line[0]) {
            case '*':
                return AddToUser(rest);
            case '@':
                return Accept(rest);
            case '!':
                terse_ = true;
                return;
            case '%':
                terse_ = false;
                return;
            case '#':
            case '+':
            case '~':
                return;
            case '^':
                return Check(line, 1);
            default:
                return Check(line, 0);
        }
    }

  private:
    void AddToUser(const std::string& word) {
        if (word.empty())
            return;
        if (UserDictAddWord(spelling_.User(), Utf8ToCp1250(word)) != 0) {
            std::cerr << "tarnik " << kName << ": '" << word << "' was not added to "
                      << spelling_.UserPath()
                      << " (it needs a letter first, at most 255 letters, and a writable, "
                         "undamaged file)\n";
        }
    }

    // Accepted words go into a dictionary of their own, for this run only.
    void Accept(const std::string& word) {
        if (!accepted_ && UserDictOpenForRun(accepted_) != 0)
            return;
        UserDictAddWord(accepted_, Utf8ToCp1250(word));
    }

    void Check(const std::string& line, int32_t from) {
        for (const LineWord& word : WordsOfLine(line, from)) {
            if (spelling_.Passes(word)) {
                if (!terse_)
                    std::cout << "*\n";
                continue;
            }
            SuggestionList list = SpellerSuggest(word.cp1250);
            std::vector<std::string> suggestions;
            for (SuggestionNode* node = list; node; node = node->next) {
                suggestions.push_back(Cp1250ToUtf8(node->word));
            }
            SpellerFreeSuggestions(list);
            if (suggestions.empty()) {
                std::cout << "# " << word.original << " " << word.offset << "\n";
                continue;
            }
            std::cout << "& " << word.original << " " << suggestions.size() << " " << word.offset
                      << ":";
            for (size_t i = 0; i < suggestions.size(); ++i) {
                std::cout << (i == 0 ? " " : ", ") << suggestions[i];
            }
            std::cout << "\n";
        }
        std::cout << "\n" << std::flush;
    }

    const SpellingSession& spelling_;
    bool terse_ = false;
    UserDictionary* accepted_ = nullptr;  // closed with the speller
};

int Run(const std::vector<std::string>& args) {
    SpellingOptions options;
    if (std::optional<int> status = ParseSpellingOptions(kName, args, false, options)) {
        return *status;
    }
    SpellingSession spelling;
    if (int status = spelling.Open(kName, options); status != 0)
        return status;
    std::cout << kBanner << "\n" << std::flush;
    PipeSession session(spelling);
    std::string line;
    while (std::getline(std::cin, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        session.Line(line);
    }
    return 0;
}

CommandRegistration registration({kName, "-a",
                                  "spell-check with the ispell pipe protocol (for editors)", kHelp,
                                  Run});

}  // namespace
}  // namespace tarnik::cli
