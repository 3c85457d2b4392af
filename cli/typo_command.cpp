// tarnik typo: typographic correction of plain text files, as the plug-in makes
// it in a text box. The plug-in is started on a one-box document (with the
// settings of --settings FILE, or the defaults, and the options laid over
// them), and its typography engine runs over the box's story.
//
// A file of any length goes through the story a piece at a time: the story
// holds the piece and enough text on either side for every rule to see what it
// would see in one run over the whole file, the corrected part is taken out as
// the run passes it, and the quotation depth goes on from piece to piece. The
// memory a run takes is that of the corrected text it hands back, and a few
// megabytes for the story, whatever the length of a line.
//
// Unlike the plug-in's command, a run does not stop at a quotation mark it cannot
// place (unless --stop-at-quote asks it to): the mark is left as it is,
// reported as FILE:LINE:COLUMN, and the rest of the file is corrected.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/text_file_run.h"
#include "host/memory_host.h"
#include "tarnik/safe_save.h"
#include "tarnik/text_codec.h"
#include "typography/run_typography.h"
#include "typography/typo_settings_store.h"
#include "typography/typography_state.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "typo";

constexpr char kHelp[] =
    "Usage: tarnik typo [OPTIONS] [FILE...]\n\n"
    "Corrects the typography of Polish text: quotation marks, dashes, repeated\n"
    "spaces, spaces around punctuation and brackets, and no-break spaces after\n"
    "short words, between numbers and units and before numbers. Reads UTF-8 text\n"
    "from each FILE ('-' or none: standard input) and writes the corrected text to\n"
    "standard output, one file after another; a space that must not break a line\n"
    "is written as U+00A0 (no-break space).\n\n"
    "A quotation mark that cannot be placed is left as it is and reported on\n"
    "standard error as FILE:LINE:COLUMN: message (the place in the corrected text,\n"
    "columns in characters); the rest of the file is corrected.\n\n"
    "  -o, --output FILE   write the corrected text to FILE instead (replaced\n"
    "                      whole, only once everything is corrected)\n"
    "  --in-place          write each FILE's corrected text back to it; the\n"
    "                      original is kept as FILE.bak (FILE.bak.1, ... when\n"
    "                      older backups are there)\n"
    "  --no-backup         with --in-place: keep no FILE.bak\n"
    "  --stop-at-quote     stop at the first such quotation mark, as the plug-in's\n"
    "                      command does; the rest of the file is written as it was\n"
    "  --settings FILE     the settings file (section [1Typografia], keys as the\n"
    "                      plug-in stores them); never written to. Without it the\n"
    "                      default settings hold\n"
    "  --inner-quotes N    marks of quotations inside quotations: 0 „ ”, 1 ’ ’,\n"
    "                      2 « », 3 » «\n"
    "  --dash en|em        the dash put between spaces: – or —\n"
    "  --on RULE[,RULE...], --off RULE[,RULE...]\n"
    "                      turn rules on or off: quotes, guess-quotes,\n"
    "                      quote-space-fix, dashes, dash-binding, repeated-spaces,\n"
    "                      remove-space-before, insert-space-before,\n"
    "                      remove-space-after, insert-space-after, remove-chars,\n"
    "                      after-words, after-digits, before-words,\n"
    "                      space-exceptions, before-digits, before-roman\n\n"
    "Options are laid over the settings file. Exit status: 0 when every file was\n"
    "corrected whole; 1 when quotation marks were left (each one reported); 2 on\n"
    "bad usage, a bad settings file, or a file that cannot be read, is not UTF-8\n"
    "or cannot be written (that file's output is then not written at all).\n";

constexpr char kSection[] = "1Typografia";

// The rules by the names of the options, and the keys that hold them.
constexpr SettingName kRules[] = {
    {"quotes", "2Cudzyslow"},
    {"guess-quotes", "23ZgadnijCudzyslow"},
    {"quote-space-fix", "24CudzyslowSpacja"},
    {"dashes", "8SpacjaLacz"},
    {"dash-binding", "27LaczPoPauzach"},
    {"repeated-spaces", "5WielokrotneSpacje"},
    {"remove-space-before", "11UsunSpacjePrzed"},
    {"insert-space-before", "12WstawSpacjePrzed"},
    {"remove-space-after", "13UsunSpacjePo"},
    {"insert-space-after", "14WstawSpacjePo"},
    {"remove-chars", "AUsuwajZnaki"},
    {"after-words", "7LaczliweSpacje"},
    {"after-digits", "15LaczPoCyfrach"},
    {"before-words", "22LaczPrzedSlowami"},
    {"space-exceptions", "19insremSpcExc"},
    {"before-digits", "25LaczPrzedCyframi"},
    {"before-roman", "26LaczPrzedCyframiRzymskimi"},
};

struct Options {
    TextRunOptions run;
    std::vector<std::string> inputs;
    std::string output;
    bool inPlace = false;
    bool backup = true;
    bool stopAtQuote = false;
};

// Exit status when quotation marks were left for the user.
constexpr int kMarksLeft = 1;

// Input is read, and the story filled, this much at a time.
constexpr size_t kReadSize = 1 << 20;
// The story holds at most about this many characters to correct at once.
constexpr int32_t kPieceLength = 1 << 20;

// Parses the arguments; a message for the first one that is wrong.
std::optional<std::string> ParseOptions(const std::vector<std::string>& args, Options& options) {
    bool filesOnly = false;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string arg = args[i];
        if (filesOnly || arg == "-" || arg.empty() || arg[0] != '-') {
            options.inputs.push_back(arg);
            continue;
        }
        if (arg == "--") {
            filesOnly = true;
            continue;
        }
        std::optional<std::string> inlineValue;
        if (size_t equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = arg.substr(equals + 1);
            arg.resize(equals);
        }
        auto value = [&]() -> std::optional<std::string> {
            if (inlineValue)
                return inlineValue;
            if (i + 1 == args.size())
                return std::nullopt;
            return args[++i];
        };
        auto flag = [&](bool& field) -> std::optional<std::string> {
            if (inlineValue)
                return arg + " takes no value";
            field = true;
            return std::nullopt;
        };
        std::optional<std::string> problem;
        if (arg == "--in-place") {
            problem = flag(options.inPlace);
        } else if (arg == "--stop-at-quote") {
            problem = flag(options.stopAtQuote);
        } else if (arg == "--no-backup") {
            bool noBackup = false;
            problem = flag(noBackup);
            options.backup = !noBackup;
        } else {
            std::optional<std::string> v = value();
            if (!v)
                return arg + " needs a value";
            if (arg == "-o" || arg == "--output") {
                options.output = *v;
            } else if (arg == "--settings") {
                options.run.settingsFile = *v;
            } else if (arg == "--inner-quotes") {
                if (v->size() != 1 || (*v)[0] < '0' || (*v)[0] > '3')
                    return "--inner-quotes takes 0, 1, 2 or 3";
                options.run.settings.push_back({kSection, "3Cytat", *v});
            } else if (arg == "--dash") {
                if (*v != "en" && *v != "em")
                    return "--dash takes en or em";
                options.run.settings.push_back({kSection, "9Pauza", *v == "em" ? "0" : "1"});
            } else if (arg == "--on" || arg == "--off") {
                problem = ParseSettingNames(*v, kRules, kSection, arg == "--on" ? "1" : "0",
                                            options.run.settings);
            } else {
                return "unknown option '" + arg + "'";
            }
        }
        if (problem)
            return problem;
    }
    if (options.inputs.empty())
        options.inputs.push_back("-");
    if (options.inPlace && !options.output.empty())
        return "--in-place and --output exclude each other";
    if (!options.backup && !options.inPlace)
        return "--no-backup goes with --in-place";
    for (const std::string& input : options.inputs) {
        if (options.inPlace && input == "-")
            return "--in-place needs files, not standard input";
    }
    return std::nullopt;
}

// The settings file's typography section, checked before anything is read
// with it; false after reporting every fault with its line.
bool CheckSettingsFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text(std::istreambuf_iterator<char>(in), {});
    if (!in && !in.eof()) {
        std::cerr << "tarnik " << kName << ": cannot read the settings file " << path << "\n";
        return false;
    }
    std::vector<TypoSettingsProblem> problems = CheckTypoSettingsText(text);
    for (const TypoSettingsProblem& problem : problems)
        std::cerr << path << ":" << problem.line << ": " << problem.message << "\n";
    return problems.empty();
}

// Bytes of `bytes` that end with a whole UTF-8 sequence; the rest is a sequence
// cut by the end of a read and waits for the next one.
size_t WholeSequences(const std::string& bytes) {
    size_t end = bytes.size();
    size_t lead = end;
    int continuation = 0;
    while (lead > 0 && continuation < 3 &&
           (static_cast<unsigned char>(bytes[lead - 1]) & 0xC0) == 0x80) {
        --lead;
        ++continuation;
    }
    if (lead == 0)
        return end;
    unsigned char first = static_cast<unsigned char>(bytes[lead - 1]);
    int length = first < 0xC0 ? 1 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
    return length > continuation + 1 ? lead - 1 : end;
}

// A quotation mark left for the user, at a position of the story.
struct LeftMark {
    int32_t position;
    std::string message;
};

// One input corrected into `out`.
class FileRun {
  public:
    FileRun(host::Story& story, const std::string& name, bool stopAtQuote)
        : story_(story), name_(name), stopAtQuote_(stopAtQuote) {}
    ~FileRun() { Typography().quoteLeft = nullptr; }
    FileRun(const FileRun&) = delete;
    FileRun& operator=(const FileRun&) = delete;

    // False with the reason in `error_`; otherwise the corrected text is in `out`.
    bool Run(int fd, std::string& out);

    const std::string& Error() const { return error_; }
    size_t MarksLeft() const { return reported_; }

  private:
    bool Read(int fd);
    void Emit(int32_t end, std::string& out);
    void DropCorrected();

    host::Story& story_;
    const std::string& name_;
    const bool stopAtQuote_;
    std::string error_;
    std::string pending_;  // bytes read and not yet in the story
    size_t offset_ = 0;    // of pending_ in the input
    bool atEnd_ = false;
    bool copyRest_ = false;  // stopped at a mark: the rest goes out as it is
    std::string rest_;       // with copyRest_: the input after the story's text
    std::deque<LeftMark> marks_;
    size_t reported_ = 0;
    int32_t emitted_ = 0;  // story text before this has been written out
    int32_t line_ = 1;
    int32_t column_ = 1;
    bool afterCr_ = false;
};

bool FileRun::Read(int fd) {
    char buffer[1 << 16];
    while (pending_.size() < kReadSize && !atEnd_) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            error_ = name_ + ": " + std::strerror(errno);
            return false;
        }
        atEnd_ = n == 0;
        pending_.append(buffer, static_cast<size_t>(n));
    }
    size_t whole = atEnd_ ? pending_.size() : WholeSequences(pending_);
    std::string_view piece = std::string_view(pending_).substr(0, whole);
    if (std::optional<size_t> bad = FindBadUtf8(piece)) {
        error_ =
            name_ + ": not UTF-8 text (bad byte at offset " + std::to_string(offset_ + *bad) + ")";
        return false;
    }
    std::u16string units = Utf8ToUtf16(piece);
    if (copyRest_)
        rest_.append(pending_, 0, whole);
    else
        story_.Insert(story_.Length(), units.data(), static_cast<int32_t>(units.size()), 0);
    pending_.erase(0, whole);
    offset_ += whole;
    return true;
}

// Writes out the story's text up to `end`, each space with the no-break mark as
// U+00A0, and reports the marks left in it with their lines and columns.
void FileRun::Emit(int32_t end, std::string& out) {
    std::u16string units;
    units.reserve(static_cast<size_t>(end - emitted_));
    for (int32_t i = emitted_; i < end; ++i) {
        char16_t unit = story_.UnitAt(i);
        while (!marks_.empty() && marks_.front().position == i) {
            std::cerr << name_ << ":" << line_ << ":" << column_ << ": " << marks_.front().message
                      << "\n";
            marks_.pop_front();
            ++reported_;
        }
        if (unit == u' ' && (story_.StyleAt(i) & XT_STYLE_NO_BREAK))
            unit = u'\u00A0';
        units.push_back(unit);
        // Lines end at LF, CR or CR LF; a column counts characters, so the second
        // half of a surrogate pair adds none.
        if (unit == u'\n' && afterCr_) {
            afterCr_ = false;
        } else if (unit == u'\n' || unit == u'\r') {
            ++line_;
            column_ = 1;
            afterCr_ = unit == u'\r';
        } else {
            afterCr_ = false;
            if (unit < 0xDC00 || unit > 0xDFFF)
                ++column_;
        }
    }
    out += Utf16ToUtf8(units);
    emitted_ = end;
}

// Takes out of the story what has been written, but for the text the rules look
// back on.
void FileRun::DropCorrected() {
    int32_t drop = emitted_ - kTypoLookaround;
    if (drop < kPieceLength / 4)
        return;
    // Never between the halves of a surrogate pair.
    char16_t unit = story_.UnitAt(drop);
    if (unit >= 0xDC00 && unit <= 0xDFFF)
        --drop;
    story_.Erase(0, drop);
    emitted_ -= drop;
}

bool FileRun::Run(int fd, std::string& out) {
    story_.Erase(0, story_.Length());
    TypoPiece piece;
    Typography().quoteLeft = [&](int32_t position, const char* message) {
        marks_.push_back({position, message});
        return !stopAtQuote_;
    };
    for (;;) {
        while (!atEnd_ && story_.Length() - piece.start < kPieceLength + kTypoLookaround) {
            if (!Read(fd))
                return false;
        }
        piece.stop = atEnd_ ? story_.Length() : story_.Length() - kTypoLookaround;
        RunTypographyPiece(piece);
        if (piece.halted) {
            // The rest as it is: the story's text, then whatever input is left.
            copyRest_ = true;
            while (!atEnd_) {
                if (!Read(fd))
                    return false;
            }
            Emit(story_.Length(), out);
            out += rest_;
            return true;
        }
        Emit(piece.start, out);
        if (atEnd_ && piece.start >= story_.Length())
            return true;
        int32_t before = emitted_;
        DropCorrected();
        piece.start -= before - emitted_;
        for (LeftMark& mark : marks_)
            mark.position -= before - emitted_;
    }
}

int Run(const std::vector<std::string>& args) {
    Options options;
    if (std::optional<std::string> problem = ParseOptions(args, options))
        return UsageError(kName, *problem);
    if (!options.run.settingsFile.empty() && !CheckSettingsFile(options.run.settingsFile))
        return kUsageError;

    TextFileRun session;
    std::string error;
    options.run.components = kTypographyComponent;
    if (!session.Start(u"", options.run, nullptr, error)) {
        std::cerr << "tarnik " << kName << ": " << error << "\n";
        return kUsageError;
    }
    BuildTypoCharClasses();
    host::Story& story = session.Host().document->stories[0];

    int status = 0;
    std::string collected;  // for --output: every file's text, saved at the end
    for (const std::string& input : options.inputs) {
        const bool standardInput = input == "-";
        const std::string name = standardInput ? "-" : input;
        int fd = standardInput ? STDIN_FILENO : open(input.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            std::cerr << "tarnik " << kName << ": " << input << ": " << std::strerror(errno)
                      << "\n";
            status = kUsageError;
            continue;
        }
        FileRun run(story, name, options.stopAtQuote);
        std::string out;
        bool read = run.Run(fd, out);
        if (!standardInput)
            close(fd);
        if (!read) {
            std::cerr << "tarnik " << kName << ": " << run.Error() << "\n";
            status = kUsageError;
            continue;
        }
        if (run.MarksLeft() > 0 && status == 0)
            status = kMarksLeft;
        bool written = true;
        if (options.inPlace) {
            SaveResult saved =
                SaveFileSafely(input, out, {.keepBackup = options.backup, .regularFileOnly = true});
            written = saved.Ok();
            error = saved.Describe(input);
        } else if (!options.output.empty()) {
            if (collected.empty())
                collected = std::move(out);  // one copy of a long text, not two
            else
                collected += out;
        } else {
            written = WriteStandardOutput(out);
            error = "cannot write to standard output";
        }
        if (!written) {
            std::cerr << "tarnik " << kName << ": " << error << "\n";
            status = kUsageError;
        }
    }
    if (!options.output.empty() && status != kUsageError) {
        if (SaveResult saved = SaveFileSafely(options.output, collected); !saved.Ok()) {
            std::cerr << "tarnik " << kName << ": " << saved.Describe(options.output) << "\n";
            status = kUsageError;
        }
    }
    return status;
}

const CommandRegistration registration({kName, "", "correct the typography of Polish text", kHelp,
                                        Run});

}  // namespace
}  // namespace tarnik::cli
