// tarnik pipe (tarnik -a): the ispell pipe protocol, for editors.
#include <iostream>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/spelling_options.h"
#include "cli/text_input.h"
#include "tarnik/text_codec.h"
#include "text/unicode_case.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "pipe";

const std::string kHelp =
    std::string(
        "Usage: tarnik pipe [OPTIONS]    (also: tarnik -a [OPTIONS])\n\n"
        "Speaks the ispell pipe protocol on standard input and output, so that editors\n"
        "can use Tarnik as their Polish spell checker. Text is UTF-8 (or the\n"
        "encoding -i names); the answers are UTF-8.\n\n"
        "First a version line starting with '@(#) '. Then, for each line of text, one\n"
        "line per word and an empty line:\n"
        "  *                             the word is correct\n"
        "  & WORD COUNT OFFSET: S1, S2   misspelt, with suggestions\n"
        "  # WORD OFFSET                 misspelt, no suggestions\n"
        "OFFSET counts characters from the start of the line (0 is the first).\n\n"
        "A line that starts with one of these is a command and gets no answer:\n"
        "  *WORD   add WORD to the personal word list (-p), or else the user\n"
        "          dictionary (saved at once; a failed save is reported on standard\n"
        "          error and the run ends with status 2)\n"
        "  &WORD   add WORD in small letters, the same way\n"
        "  @WORD   accept WORD for the rest of the run\n"
        "  +       TeX/LaTeX text from now on (+nroff, +html: those formats)\n"
        "  -       back to the format the run started with (plain text if that was TeX)\n"
        "  ~NAME   accepted and ignored\n"
        "  #       save the user dictionary (it is always saved already)\n"
        "  !       terse mode: no '*' lines for correct words\n"
        "  %       back to verbose mode\n"
        "  `       correct words are answered '* WORD'\n"
        "  ^TEXT   check TEXT even if it starts with a command character\n\n"
        "Options (they may come in any order, also after -a):\n") +
    kSpellingOptionsHelp + kEncodingHelp;

std::string Trimmed(const std::string& text) {
    size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return "";
    return text.substr(start, text.find_last_not_of(" \t") + 1 - start);
}

class PipeSession {
  public:
    PipeSession(services::Speller& speller, const SpellingOptions& options)
        : speller_(speller),
          startFormat_(options.format),
          filter_(options.format, options.checkAddresses),
          cutter_(filter_) {}

    // Each piece of each line in turn, as TextInput hands them out.
    void Piece(std::string_view piece, bool lineEnds) {
        bool first = !inLine_;
        inLine_ = !lineEnds;
        if (first) {
            lineIsCommand_ = !piece.empty() && Command(piece);
            offset_ = 0;
            if (!piece.empty() && piece[0] == '^') {
                piece.remove_prefix(1);
                offset_ = 1;  // the escape counts in offsets
            }
        }
        if (lineIsCommand_)
            return;
        Check(piece, lineEnds);
        if (lineEnds)
            std::cout << "\n" << std::flush;
    }

  private:
    // Runs the command a line starts with; false when the line is text.
    bool Command(std::string_view line) {
        std::string rest(line.substr(1));
        switch (line[0]) {
            case '*':
                AddToUser(rest, false);
                return true;
            case '&':
                AddToUser(rest, true);
                return true;
            case '@':
                Accept(rest);
                return true;
            case '+': {
                // "+" alone, or followed by anything but a known format, is TeX.
                TextFormat format = TextFormat::kTex;
                if (!TextFormatFromName(Trimmed(rest), format) || format == TextFormat::kPlain)
                    format = TextFormat::kTex;
                filter_.SetFormat(format);
                return true;
            }
            case '-':
                filter_.SetFormat(startFormat_ == TextFormat::kTex ? TextFormat::kPlain
                                                                   : startFormat_);
                return true;
            case '!':
                terse_ = true;
                return true;
            case '%':
                terse_ = false;
                showCorrect_ = false;
                return true;
            case '`':
                showCorrect_ = true;
                return true;
            case '#':
            case '~':
                return true;
            default:
                return false;
        }
    }

    void AddToUser(const std::string& word, bool small) {
        if (word.empty())
            return;
        std::string added = small ? Utf16ToUtf8(LoweredUnits(Utf8ToUtf16(word))) : word;
        std::string problem = speller_.AddRefusal(added);
        if (problem.empty()) {
            if (std::optional<Error> failure = speller_.Add(added)) {
                problem = failure->Message();
                unsaved_ = true;  // the word was fit to keep
            }
        }
        if (!problem.empty()) {
            std::cerr << "tarnik " << kName << ": '" << added << "' was not added to "
                      << speller_.AddPath() << ": " << problem << "\n";
        }
    }

    void Accept(const std::string& word) { speller_.Accept(word); }

    void Check(std::string_view piece, bool lineEnds) {
        cutter_.Cut(piece, lineEnds, offset_, [this](const LineWord& word) { Answer(word); });
    }

    // The answer line for one word.
    void Answer(const LineWord& word) {
        if (speller_.Check(word.original, word.beforeStop)) {
            if (!terse_)
                std::cout << (showCorrect_ ? "* " + word.original + "\n" : "*\n");
            return;
        }
        std::vector<std::string> suggestions = speller_.Suggest(word.original);
        if (suggestions.empty()) {
            std::cout << "# " << word.original << " " << word.offset << "\n";
            return;
        }
        std::cout << "& " << word.original << " " << suggestions.size() << " " << word.offset
                  << ":";
        for (size_t i = 0; i < suggestions.size(); ++i) {
            std::cout << (i == 0 ? " " : ", ") << suggestions[i];
        }
        std::cout << "\n";
    }

    services::Speller& speller_;
    TextFormat startFormat_;
    TextFilter filter_;
    WordCutter cutter_;
    bool terse_ = false;
    bool showCorrect_ = false;
    bool inLine_ = false;
    bool lineIsCommand_ = false;
    int64_t offset_ = 0;
    bool unsaved_ = false;  // a word was not saved into the user dictionary

  public:
    bool Unsaved() const { return unsaved_; }
};

int Run(const std::vector<std::string>& args) {
    SpellingOptions options;
    services::Speller speller;
    if (std::optional<int> status = StartSpelling(kName, args, false, options, speller))
        return *status;
    std::cout << kVersionLine << "\n" << std::flush;
    PipeSession session(speller, options);
    TextInput input(options.encoding);
    std::string problem;
    if (!input.Open("-", problem))
        return ReportError(kName, MessageName("-"), problem);
    std::string_view piece;
    bool lineEnds = false;
    while (input.NextPiece(piece, lineEnds))
        session.Piece(piece, lineEnds);
    if (!input.Error().empty())
        return ReportError(kName, MessageName("-"), input.Error());
    // The run answers to the end, as an editor expects; a word the user asked
    // to keep that was not saved still ends it with a failure.
    if (session.Unsaved())
        return ReportError(kName, "", "words were not saved into " + speller.AddPath(),
                           kUsageError);
    return 0;
}

CommandRegistration registration({kName, "-a",
                                  "spell-check with the ispell pipe protocol (for editors)", kHelp,
                                  Run});

}  // namespace
}  // namespace tarnik::cli
