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

#include <algorithm>
#include <cerrno>
#include <deque>
#include <functional>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/text_file_run.h"
#include "cli/text_input.h"
#include "host/memory_host.h"
#include "tarnik/file_io.h"
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
    "short words, between numbers and units and before numbers. Reads text from\n"
    "each FILE ('-' or none: standard input) and writes the corrected text to\n"
    "standard output in UTF-8, one file after another; a space that must not break\n"
    "a line is written as U+00A0 (no-break space).\n\n"
    "A quotation mark that cannot be placed is left as it is and reported on\n"
    "standard error as FILE:LINE:COLUMN: message (the place in the corrected text,\n"
    "columns in characters); the rest of the file is corrected.\n\n"
    "Options (they may come before or after the files):\n"
    "  -o FILE, --output FILE\n"
    "                      write the corrected text to FILE instead (replaced\n"
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
    "  --data DIR          the folder of the plug-in's data files (default: the\n"
    "                      bundled XTensions folder)\n"
    "  --inner-quotes N    marks of quotations inside quotations: 0 „ ”, 1 ’ ’,\n"
    "                      2 « », 3 » «\n"
    "  --dash en|em        the dash put between spaces: – or —\n"
    "  --on RULE[,RULE...], --off RULE[,RULE...]\n"
    "                      turn rules on or off: quotes, guess-quotes,\n"
    "                      quote-space-fix, dashes, dash-binding, repeated-spaces,\n"
    "                      remove-space-before, insert-space-before,\n"
    "                      remove-space-after, insert-space-after, remove-chars,\n"
    "                      after-words, after-digits, before-words,\n"
    "                      space-exceptions, before-digits, before-roman\n";

// After kEncodingHelp.
constexpr char kHelpEnd[] =
    "\nOptions are laid over the settings file. Exit status: 0 when every file was\n"
    "corrected whole; 1 when quotation marks were left (each one reported); 2 on\n"
    "bad usage, a bad settings file, or a file that cannot be read, is not text of\n"
    "its encoding or cannot be written (that file's output is then not written at\n"
    "all).\n";

struct Options {
    TextRunOptions run;
    std::vector<std::string> inputs;
    std::string output;
    TextEncoding encoding = TextEncoding::kUtf8;
    bool inPlace = false;
    bool backup = true;
    bool stopAtQuote = false;
    markup::TextFormat mode = markup::TextFormat::kPlain;
    bool modeGiven = false;
};

// Input is read, and the story filled, this much at a time.
constexpr size_t kReadSize = 1 << 20;
// The story holds at most about this many characters to correct at once.
constexpr int32_t kPieceLength = 1 << 20;

// Parses the arguments; none to go on, or the exit status to end with.
std::optional<int> ParseOptions(const std::vector<std::string>& args, Options& options) {
    auto rules = [&options](const char* name, const char* value) {
        return Option{name, 0, true, [&options, value](const std::string& names) {
                          return ParseSettingNames(names, kTypoRuleNames, kTypoSettingsSection,
                                                   value, options.run.settings);
                      }};
    };
    std::vector<Option> table = {
        OutputOption(options.output),
        InPlaceOption(options.inPlace),
        NoBackupOption(options.backup),
        FlagOption("stop-at-quote", options.stopAtQuote),
        SettingsOption(options.run.settingsFile),
        DataOption(options.run.xtensionsDir),
        EncodingOption(options.encoding),
        {"inner-quotes", 0, true,
         [&options](const std::string& v) -> std::optional<std::string> {
             if (v.size() != 1 || v[0] < '0' || v[0] > '3')
                 return "--inner-quotes takes 0, 1, 2 or 3";
             options.run.settings.push_back({kTypoSettingsSection, kTypoInnerQuoteKey, v});
             return std::nullopt;
         }},
        {"dash", 0, true,
         [&options](const std::string& v) -> std::optional<std::string> {
             if (v != "en" && v != "em")
                 return "--dash takes en or em";
             options.run.settings.push_back(
                 {kTypoSettingsSection, kTypoDashStyleKey, v == "em" ? "0" : "1"});
             return std::nullopt;
         }},
        rules("on", "1"),
        rules("off", "0"),
    };
    for (Option& mode : ModeOptions(options.mode, options.modeGiven))
        table.push_back(std::move(mode));
    if (std::optional<int> status = ParseCommandLine(kName, args, table, options.inputs))
        return status;
    if (options.inputs.empty())
        options.inputs.push_back("-");
    if (options.inPlace && !options.output.empty())
        return UsageError(kName, "--in-place and --output exclude each other");
    if (!options.backup && !options.inPlace)
        return UsageError(kName, "--no-backup goes with --in-place");
    for (const std::string& input : options.inputs) {
        if (options.inPlace && input == "-")
            return UsageError(kName, "--in-place needs files, not standard input");
    }
    return std::nullopt;
}

// A quotation mark left for the user, at a position of the story.
struct LeftMark {
    int32_t position;
    std::string message;
};

// One input corrected, its text handed to `write` as it is made.
class FileRun {
  public:
    using Write = std::function<bool(std::string_view)>;

    FileRun(host::Story& story, const std::string& name, markup::TextFormat format,
            bool stopAtQuote)
        : story_(story),
          name_(name),
          stopAtQuote_(stopAtQuote),
          reader_(format),
          prose_(format, {.keepDiscretionaries = true}) {}
    ~FileRun() { Typography().quoteLeft = nullptr; }
    FileRun(const FileRun&) = delete;
    FileRun& operator=(const FileRun&) = delete;

    // False with the reason in `error_` (empty when `write` failed).
    bool Run(TextInput& input, const Write& write);

    const std::string& Error() const { return error_; }
    size_t MarksLeft() const { return reported_; }
    bool Changed() const { return prose_.Changed(); }

  private:
    bool Read(TextInput& input);
    void Emit(int32_t end);
    bool Pass(const Write& write, bool all);
    void DropCorrected();

    host::Story& story_;
    const std::string& name_;
    const bool stopAtQuote_;
    markup::Reader reader_;
    markup::ProseStory prose_;
    std::vector<markup::Span> spans_;
    std::string line_;
    std::string error_;
    bool atEnd_ = false;
    bool copyRest_ = false;  // stopped at a mark: the rest goes out as it is
    std::deque<LeftMark> marks_;
    size_t reported_ = 0;
    int32_t emitted_ = 0;  // story text before this has been written out
    // Where the output stands, for the marks' lines and columns.
    int32_t line_number_ = 1;
    int32_t column_ = 1;
    bool afterCr_ = false;
    std::string out_;  // output not yet handed on
};

bool FileRun::Read(TextInput& input) {
    std::u16string units;
    const bool plain = reader_.Format() == markup::TextFormat::kPlain;
    while (units.size() < kReadSize && !atEnd_) {
        // Plain text has no markup to read a line at a time: it is read as it
        // comes, so that a line of any length takes bounded memory.
        std::string_view block;
        if (plain && !copyRest_ && input.NextBlock(block)) {
            spans_.assign(1, {0, static_cast<uint32_t>(block.size()), markup::SpanKind::kText, 0,
                              false});
            prose_.AddLine(block, spans_, units);
            continue;
        }
        if (!input.NextLine(line_)) {
            if (!input.Error().empty()) {
                error_ = input.Error();
                return false;
            }
            atEnd_ = true;
            break;
        }
        if (copyRest_) {
            out_ += line_;
            continue;
        }
        reader_.ReadLine(line_, spans_);
        prose_.AddLine(line_, spans_, units);
    }
    if (!units.empty())
        story_.Insert(story_.Length(), units.data(), static_cast<int32_t>(units.size()), 0);
    return true;
}

// Writes out the story's text up to `end`, each space with the no-break mark as
// U+00A0, and reports the marks left in it with their lines and columns (in
// characters of the corrected prose; a stretch of markup counts as one).
void FileRun::Emit(int32_t end) {
    std::u16string units;
    units.reserve(static_cast<size_t>(end - emitted_));
    for (int32_t i = emitted_; i < end; ++i) {
        char16_t unit = story_.UnitAt(i);
        while (!marks_.empty() && marks_.front().position == i) {
            std::cerr << name_ << ":" << line_number_ << ":" << column_ << ": "
                      << marks_.front().message << "\n";
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
            ++line_number_;
            column_ = 1;
            afterCr_ = unit == u'\r';
        } else {
            afterCr_ = false;
            if (unit < 0xDC00 || unit > 0xDFFF)
                ++column_;
        }
    }
    prose_.Take(units, out_);
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

// Hands on what is written: all of it, or once there is much.
bool FileRun::Pass(const Write& write, bool all) {
    if (out_.empty() || (!all && out_.size() < kHeldOutput))
        return true;
    bool written = write(out_);
    out_.clear();
    return written;
}

bool FileRun::Run(TextInput& input, const Write& write) {
    story_.Erase(0, story_.Length());
    TypoPiece piece;
    Typography().quoteLeft = [&](int32_t position, const char* message) {
        marks_.push_back({position, message});
        return !stopAtQuote_;
    };
    for (;;) {
        while (!atEnd_ && story_.Length() - piece.start < kPieceLength + kTypoLookaround) {
            if (!Read(input))
                return false;
        }
        piece.stop = atEnd_ ? story_.Length() : story_.Length() - kTypoLookaround;
        RunTypographyPiece(piece);
        if (piece.halted) {
            // The rest as it is: the story's text, then whatever input is left.
            Emit(story_.Length());
            prose_.Finish(out_);
            copyRest_ = true;
            while (!atEnd_) {
                if (!Read(input))
                    return false;
                if (!Pass(write, false))
                    return false;
            }
            return Pass(write, true);
        }
        Emit(piece.start);
        if (atEnd_ && piece.start >= story_.Length()) {
            prose_.Finish(out_);
            return Pass(write, true);
        }
        int32_t before = emitted_;
        DropCorrected();
        piece.start -= before - emitted_;
        for (LeftMark& mark : marks_)
            mark.position -= before - emitted_;
        if (!Pass(write, false))
            return false;
    }
}

// Corrects one input through `write`; the exit status it asks for (0, or
// kFindingsLeft, or kUsageError after reporting why).
int CorrectFile(host::Story& story, const std::string& input, const Options& options,
                const FileRun::Write& write, bool& changed) {
    const std::string name = InputName(input);
    TextInput text(options.encoding);
    std::string error;
    if (!text.Open(input, error))
        return ReportError(kName, MessageName(input), error);
    FileRun run(story, name, ModeOf(options.mode, options.modeGiven, input), options.stopAtQuote);
    if (!run.Run(text, write)) {
        if (!run.Error().empty())
            return ReportError(kName, MessageName(input), run.Error());
        return kUsageError;
    }
    changed = run.Changed();
    return run.MarksLeft() > 0 ? kFindingsLeft : 0;
}

int Run(const std::vector<std::string>& args) {
    Options options;
    if (std::optional<int> status = ParseOptions(args, options))
        return *status;

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
    auto worse = [&status](int other) { status = std::max(status, other); };
    if (!options.output.empty()) {
        // Every file's text into the one output, saved only when all were read.
        bool failed = false;
        SaveResult saved = SaveFileSafely(options.output, SaveWriter([&](int fd) {
                                              auto write = [fd](std::string_view bytes) {
                                                  return WriteWholeDescriptor(fd, bytes);
                                              };
                                              for (const std::string& input : options.inputs) {
                                                  bool changed = false;
                                                  int result = CorrectFile(story, input, options,
                                                                           write, changed);
                                                  worse(result);
                                                  failed = failed || result == kUsageError;
                                              }
                                              if (failed)
                                                  errno = 0;
                                              return !failed;
                                          }));
        if (!saved.Ok() && !failed) {
            std::cerr << "tarnik " << kName << ": " << saved.Describe(options.output) << "\n";
            worse(kUsageError);
        }
        return status;
    }
    for (const std::string& input : options.inputs) {
        if (options.inPlace) {
            if (std::optional<std::string> refusal = InPlaceRefusal(input)) {
                worse(ReportError(kName, "", *refusal));
                continue;
            }
            bool changed = false;
            int result = 0;
            SaveResult saved = SaveFileSafely(
                input,
                SaveWriter([&](int fd) {
                    result = CorrectFile(
                        story, input, options,
                        [fd](std::string_view bytes) { return WriteWholeDescriptor(fd, bytes); },
                        changed);
                    if (result == kUsageError)
                        errno = 0;
                    return result != kUsageError;
                }),
                // Nothing changed: the file is left untouched, with no backup beside it.
                {.keepBackup = options.backup,
                 .regularFileOnly = true,
                 .check = [&changed](const std::string&) { return changed; }});
            worse(result);
            if (!saved.Ok() && result != kUsageError && saved.step != SaveStep::kRejected) {
                std::cerr << "tarnik " << kName << ": " << saved.Describe(input) << "\n";
                worse(kUsageError);
            }
            continue;
        }
        // Standard output: held back at first, so that a file refused early
        // leaves nothing written.
        std::string held;
        bool flushed = false;
        bool writeFailed = false;
        auto write = [&](std::string_view bytes) {
            held.append(bytes);
            if (held.size() < kHeldOutput)
                return true;
            flushed = true;
            bool written = WriteStandardOutput(held);
            held.clear();
            writeFailed = !written;
            return written;
        };
        bool changed = false;
        int result = CorrectFile(story, input, options, write, changed);
        worse(result);
        if (result == kUsageError && !flushed)
            continue;
        if (writeFailed || !WriteStandardOutput(held)) {
            std::cerr << "tarnik " << kName << ": cannot write to standard output\n";
            worse(kUsageError);
        }
    }
    return status;
}

const CommandRegistration registration({kName, "", "correct the typography of Polish text",
                                        std::string(kHelp) + kModeHelp + kEncodingHelp + kHelpEnd, Run});

}  // namespace
}  // namespace tarnik::cli
