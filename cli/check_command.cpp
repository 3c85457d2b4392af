// tarnik check: interactive proofreading of text files. Each file becomes the
// story of a one-box document and the plug-in's own "Check Story..." runs on it
// from the start; its Check Spelling dialog is answered at the terminal (or from
// a script of the same answers), in the manner of a terminal spell checker: the
// misspelt word in its line, the numbered suggestions, one key per button.
//
// A file is written back only when the check ends (the walk reached the end, or
// the user closed the dialog) and something changed: the original is kept as
// FILE.bak (FILE.bak.1, ... when that is taken), then the new text replaces the
// file atomically. An interrupted check
// (Ctrl-C, a closed terminal, the end of the script, or Abort) leaves the file
// as it was. "Ignore All" and "Change All" hold for the whole run: the plug-in
// keeps them for one file, and the answers here carry them to the next; so do
// the settings chosen under "Options", which last for the run only.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/text_file_run.h"
#include "cli/text_input.h"
#include "host/dialog_script.h"
#include "host/dialogs.h"
#include "host/terminal_dialog_driver.h"
#include "markup/prose_story.h"
#include "platform/dialog_resources.h"
#include "spellcheck/cdict_miss_dialog.h"
#include "tarnik/file_io.h"
#include "tarnik/safe_save.h"
#include "tarnik/text_codec.h"
#include "text/unicode_case.h"
#include "text/word_scanner.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "check";

constexpr char kHelp[] =
    "Usage: tarnik check [OPTIONS] FILE...\n\n"
    "Proofreads Polish text files interactively with the plug-in's Check Story.\n"
    "At each misspelt word it shows the file, line and column, the line with the\n"
    "word highlighted and the numbered suggestions, and reads one answer:\n"
    "  1-99  change the word to that suggestion\n"
    "  i     Ignore           I  Ignore All (for the rest of the run)\n"
    "  r     Change (asks for the new text)\n"
    "  R     Change All (asks for the new text; for the rest of the run)\n"
    "  a     Add the word to the user dictionary\n"
    "  s     Suggest again, for a text you type (Enter: the word)\n"
    "  o     Options: the Dictionary Preferences dialog\n"
    "  x     Close: stop checking this file and keep its changes\n"
    "  b     Abort: stop the run; this file is left as it was\n"
    "When a file's check ends, the file is written back with the changes, the\n"
    "original kept as FILE.bak (or FILE.bak.1, ..., never over an older backup);\n"
    "a file without changes is not written. A file read in another encoding (-i)\n"
    "is written back in UTF-8.\n\n"
    "Options (they may come before or after the files):\n"
    "  --user FILE       the user dictionary (default: user.dic, as tarnik pipe and\n"
    "                    the plug-in find it)\n"
    "  --dialogs SCRIPT  read the answers from SCRIPT, one a line, instead of the\n"
    "                    terminal; the Dictionary Preferences dialog takes the steps\n"
    "                    of tarnik run's dialog scripts (press 1020, press 1, ...)\n"
    "  --no-backup       do not keep FILE.bak\n"
    "  --settings FILE   the plug-in's settings ([1Slownik]); default: the defaults\n"
    "  --data DIR        the folder of son.dic (default: XTensions beside tarnik);\n"
    "                    --xtensions DIR is another name for it\n";

// After kEncodingHelp.
constexpr char kHelpEnd[] =
    "\nExit status: 0 when every file was checked (and written when it changed);\n"
    "1 when the run was interrupted (the words after it are left unchecked);\n"
    "2 on bad usage, or a file that could not be read, was not text of its encoding\n"
    "or could not be written (the other files are checked all the same), or a word\n"
    "could not be saved into the user dictionary.\n";

// The Check Spelling dialog's numbers, as the spell check declares them.
using MissDialog = CDictMissDialog;

// Messages the check shows at its end; the summary of each file says it better.
const std::set<std::string> kRoutineMessages = {
    "No more errors.", "There are no errors in the selection.", "Word is spelled correctly"};

struct Options {
    std::string userFile;
    std::string script;
    std::string settingsFile;
    std::string xtensions;
    TextEncoding encoding = TextEncoding::kUtf8;
    bool backup = true;
    std::vector<std::string> files;
    markup::TextFormat mode = markup::TextFormat::kPlain;
    bool modeGiven = false;
};

host::DialogAction Press(int16_t item) {
    return {host::DialogAction::Kind::Press, item, {}, -1};
}
host::DialogAction Type(int16_t item, std::string text) {
    return {host::DialogAction::Kind::Type, item, std::move(text), -1};
}
host::DialogAction Choose(int16_t item, int32_t row) {
    return {host::DialogAction::Kind::Choose, item, {}, row};
}

std::u16string Units(const std::string& utf8) {
    return Utf8ToUtf16(utf8);
}

// The word's form with the capitals of `like`, as the plug-in's Change All gives
// them; every character kept (a word is compared and cased by its own letters).
std::string WithCaseOf(const std::string& text, const std::string& like) {
    std::u16string cased = Units(text);
    ApplyCaseToUnits(cased, UnitsCaseClass(Units(like)));
    return Utf16ToUtf8(cased);
}

// The characters of a UTF-8 text.
size_t Width(const std::string& utf8) {
    size_t width = 0;
    for (unsigned char c : utf8)
        width += (c & 0xC0) != 0x80;
    return width;
}

std::string Lowered(const std::string& utf8) {
    return Utf16ToUtf8(LoweredUnits(Units(utf8)));
}

// The plug-in's rule for a Change All answer: a replacement in the case pattern
// of the word it replaced follows each later word's case; any other stays as
// given.
bool FollowsCase(const std::string& word, const std::string& replacement) {
    constexpr uint16_t kPattern = kCaseInitial | kCaseCapitals | kCaseSmall | kCaseMixed;
    return (UnitsCaseClass(Units(word)) & kPattern) ==
           (UnitsCaseClass(Units(replacement)) & kPattern);
}

// Answers the plug-in's dialogs for tarnik check: the Check Spelling dialog by
// its keys, every other dialog by dialog-script steps, from one input.
class CheckDriver : public host::DialogDriver {
  public:
    CheckDriver(std::istream& in, std::ostream& out, bool terminal)
        : in_(in), out_(out), terminal_(terminal), others_(in, out) {}

    // The file being checked and the host that shows it.
    void Begin(const std::string& file, host::MemoryHost& host) {
        KeepAnswered();
        file_ = file;
        host_ = &host;
        closed_ = false;
        firstLine_ = 1;
    }
    bool Interrupted() const { return interrupted_; }
    // The file is checked a part at a time: the line the story's first line is
    // in the file, and whether the user closed the check (the rest is left).
    void FirstLine(int line) { firstLine_ = line; }
    bool Closed() const { return closed_; }

    std::optional<host::DialogAction> NextAction(const host::DialogState& dialog) override {
        if (interrupted_)
            return std::nullopt;
        if (dialog.resourceId != MissDialog::kResource &&
            dialog.resourceId != MissDialog::kResource + kPolishDialogOffset) {
            std::optional<host::DialogAction> action = others_.NextAction(dialog);
            if (!action)
                interrupted_ = !in_;
            return action;
        }
        if (!queued_.empty()) {
            host::DialogAction action = queued_.front();
            queued_.erase(queued_.begin());
            return action;
        }
        return Answer(dialog);
    }

    int16_t AnswerMessage(int16_t style, const std::string&, const std::string& text) override {
        if (!kRoutineMessages.count(text))
            std::cerr << "tarnik " << kName << ": " << host::MessageOnOneLine(text) << "\n";
        return host::DeclineAnswer(style);
    }

    void Refused(const host::DialogAction& action, const std::string& reason) override {
        queued_.clear();
        out_ << "(" << reason << ": item " << action.item << ")\n";
    }

  private:
    const host::DialogItemState* Item(const host::DialogState& dialog, int16_t number) {
        return dialog.Find(number);
    }

    // Where the dialog's word starts in the story.
    int32_t WordStart() const {
        const host::Document& document = *host_->document;
        return document.stories[size_t(document.items[size_t(document.current)].story)]
            .selectionStart;
    }

    // A Change All joins the run's list only once the plug-in has made the change:
    // a text the plug-in refuses must not answer later words (it would be refused
    // again, and the same word would come back for ever).
    void KeepAnswered() {
        if (answered_ && answered_->change)
            changed_[answered_->change->first] = answered_->change->second;
        answered_.reset();
    }

    // The run-long lists answer words seen in an earlier file.
    std::optional<host::DialogAction> FromRunLists(const std::string& word) {
        if (ignored_.count(word))
            return Press(MissDialog::kIgnoreItem);
        if (auto it = changed_.find(Lowered(word)); it != changed_.end()) {
            queued_.push_back(Press(MissDialog::kChangeItem));
            const auto& [replacement, follows] = it->second;
            return Type(MissDialog::kChangeToItem,
                        follows ? WithCaseOf(replacement, word) : replacement);
        }
        return std::nullopt;
    }

    void Show(const host::DialogState& dialog, const std::string& word) {
        const host::Story& story =
            host_->document
                ->stories[size_t(host_->document->items[size_t(host_->document->current)].story)];
        int32_t start = story.selectionStart;
        int32_t end = story.selectionEnd;
        int32_t lineStart = start;
        while (lineStart > 0 && !host::Story::IsParagraphEnd(story.UnitAt(lineStart - 1)))
            --lineStart;
        int32_t lineEnd = end;
        while (lineEnd < story.Length() && !host::Story::IsParagraphEnd(story.UnitAt(lineEnd)))
            ++lineEnd;
        int line = firstLine_;
        for (int32_t i = 0; i < lineStart; ++i) {
            char16_t unit = story.UnitAt(i);
            bool crlf = unit == u'\r' && i + 1 < story.Length() && story.UnitAt(i + 1) == u'\n';
            if (host::Story::IsParagraphEnd(unit) && !crlf)
                ++line;
        }
        std::u16string text = story.Text();
        auto piece = [&](int32_t from, int32_t to) {
            std::u16string part = text.substr(size_t(from), size_t(to - from));
            std::erase_if(part, markup::IsMark);  // the marks of markup in the story
            return Utf16ToUtf8(part);
        };
        // A byte-order mark that heads the file is no column of its first line.
        int32_t shownFrom = lineStart == 0 && !text.empty() && text[0] == u'\uFEFF' ? 1 : lineStart;
        std::string before = piece(std::min(shownFrom, start), start);
        size_t column = 1 + Width(before);
        const char* on = terminal_ ? "\x1b[7m" : "[";
        const char* off = terminal_ ? "\x1b[0m" : "]";
        out_ << "\n"
             << file_ << ":" << line << ":" << column << ": " << word << "\n"
             << "    " << before << on << piece(start, end) << off << piece(end, lineEnd) << "\n";
        const host::DialogItemState* list = Item(dialog, MissDialog::kSuggestionsItem);
        if (list && list->enabled) {
            for (size_t row = 0; row < list->rows.size(); ++row) {
                std::string entry = std::to_string(row + 1) + ") " + list->rows[row];
                size_t width = Width(entry);
                out_ << (row % 4 == 0 ? "\n  " : "") << entry
                     << std::string(width < 18 ? 18 - width : 1, ' ');
            }
            out_ << "\n";
        } else if (list && !list->rows.empty()) {
            out_ << "  (" << list->rows.front() << ")\n";
        }
        const host::DialogItemState* add = Item(dialog, MissDialog::kAddItem);
        out_ << "\n  i) Ignore     I) Ignore All   r) Change     R) Change All\n  "
             << (add && add->enabled ? "a) Add        " : "             ")
             << "s) Suggest      o) Options    x) Close      b) Abort\n";
    }

    bool ReadLine(const char* prompt, std::string& line) {
        if (terminal_)
            out_ << prompt << std::flush;
        if (!std::getline(in_, line)) {
            if (terminal_)
                out_ << "\n";
            return false;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    }

    // A change to `answer`: a suggestion's number, or a text.
    std::optional<host::DialogAction> ChangeTo(const host::DialogState& dialog,
                                               const std::string& answer, int16_t button) {
        const host::DialogItemState* list = Item(dialog, MissDialog::kSuggestionsItem);
        char* end = nullptr;
        long number = std::strtol(answer.c_str(), &end, 10);
        if (!answer.empty() && *end == '\0') {
            if (!list || !list->enabled || number < 1 || number > long(list->rows.size())) {
                out_ << "There is no suggestion " << answer << ".\n";
                return std::nullopt;
            }
            queued_.push_back(Press(button));
            return Choose(MissDialog::kSuggestionsItem, int32_t(number - 1));
        }
        if (answer.empty())
            return std::nullopt;
        // Spaces alone would only cut the word out of the text.
        if (answer.find_first_not_of(" \t") == std::string::npos) {
            out_ << "A word cannot be changed to spaces alone; type the new text.\n";
            return std::nullopt;
        }
        queued_.push_back(Press(button));
        return Type(MissDialog::kChangeToItem, answer);
    }

    std::optional<host::DialogAction> Answer(const host::DialogState& dialog) {
        const host::DialogItemState* wordItem = Item(dialog, MissDialog::kWordItem);
        std::string word = wordItem ? wordItem->text : "";
        int32_t at = WordStart();
        // The dialog still at the word just changed: the plug-in refused the change
        // (and said why); the user answers again.
        bool refused =
            answered_ && answered_->changing && answered_->word == word && answered_->at == at;
        if (refused)
            answered_.reset();
        else
            KeepAnswered();
        if (!refused) {
            if (std::optional<host::DialogAction> action = FromRunLists(word)) {
                answered_ = Answered{word, at, action->kind == host::DialogAction::Kind::Type,
                                     std::nullopt};
                return action;
            }
        }
        Show(dialog, word);
        for (;;) {
            std::string line;
            if (!ReadLine("? ", line)) {
                interrupted_ = true;
                return std::nullopt;
            }
            std::string key = line.substr(0, line.find_first_of(" \t"));
            std::string rest = key.size() < line.size() ? line.substr(key.size() + 1) : "";
            if (key.empty())
                continue;
            if (std::isdigit(static_cast<unsigned char>(key[0]))) {
                if (auto action = ChangeTo(dialog, key, MissDialog::kChangeItem))
                    return action;
                continue;
            }
            if (key.size() != 1) {
                out_ << "Answer with a suggestion's number or one of i I r R a s o x b.\n";
                continue;
            }
            switch (key[0]) {
                case 'i':
                    return Press(MissDialog::kIgnoreItem);
                case 'I':
                    ignored_.insert(word);
                    ignored_.insert(Lowered(word));
                    return Press(MissDialog::kIgnoreAllItem);
                case 'r':
                case 'R': {
                    if (rest.empty() && !ReadLine("Change to: ", rest)) {
                        interrupted_ = true;
                        return std::nullopt;
                    }
                    auto action = ChangeTo(
                        dialog, rest,
                        key[0] == 'r' ? MissDialog::kChangeItem : MissDialog::kChangeAllItem);
                    if (!action)
                        continue;
                    answered_ = Answered{word, at, true, std::nullopt};
                    if (key[0] == 'R') {
                        std::string to = rest;
                        const host::DialogItemState* list =
                            Item(dialog, MissDialog::kSuggestionsItem);
                        if (action->kind == host::DialogAction::Kind::Choose && list)
                            to = list->rows[size_t(action->row)];
                        bool follows = FollowsCase(word, to);
                        answered_->change = {Lowered(word), {follows ? Lowered(to) : to, follows}};
                    }
                    return action;
                }
                case 'a':
                    if (const host::DialogItemState* add = Item(dialog, MissDialog::kAddItem);
                        add && add->enabled)
                        return Press(MissDialog::kAddItem);
                    out_ << "There is no user dictionary to add to.\n";
                    continue;
                case 's':
                    if (rest.empty() && !ReadLine("Suggest for (Enter: the word): ", rest)) {
                        interrupted_ = true;
                        return std::nullopt;
                    }
                    queued_.push_back(Press(MissDialog::kSuggestItem));
                    return Type(MissDialog::kChangeToItem, rest.empty() ? word : rest);
                case 'o':
                    return Press(MissDialog::kOptionsItem);
                case 'x':
                    closed_ = true;
                    return Press(MissDialog::kCloseItem);
                case 'b':
                    interrupted_ = true;
                    return std::nullopt;
                default:
                    out_ << "Answer with a suggestion's number or one of i I r R a s o x b.\n";
                    continue;
            }
        }
    }

    std::istream& in_;
    std::ostream& out_;
    bool terminal_;
    host::TerminalDialogDriver others_;
    std::string file_;
    host::MemoryHost* host_ = nullptr;
    std::vector<host::DialogAction> queued_;
    std::set<std::string> ignored_;
    // small letters -> the replacement and whether it follows each word's case
    std::map<std::string, std::pair<std::string, bool>> changed_;
    // The last answer that changes the word, until the dialog shows where the walk
    // went on.
    struct Answered {
        std::string word;
        int32_t at = 0;
        bool changing = false;
        std::optional<std::pair<std::string, std::pair<std::string, bool>>> change;  // Change All
    };
    std::optional<Answered> answered_;
    bool interrupted_ = false;
    bool closed_ = false;
    int firstLine_ = 1;
};

int Error(const std::string& message) {
    return ReportError(kName, "", message);
}

// Parses the arguments; none to go on, or the exit status to end with.
std::optional<int> ParseOptions(const std::vector<std::string>& args, Options& options) {
    std::vector<Option> table = {
        UserOption(options.userFile),     ValueOption("dialogs", options.script),
        NoBackupOption(options.backup),   SettingsOption(options.settingsFile),
        DataOption(options.xtensions),    XTensionsOption(options.xtensions),
        EncodingOption(options.encoding),
    };
    for (Option& mode : ModeOptions(options.mode, options.modeGiven))
        table.push_back(std::move(mode));
    if (std::optional<int> status = ParseCommandLine(kName, args, table, options.files))
        return status;
    if (options.files.empty())
        return UsageError(kName, "no file given");
    return std::nullopt;
}

// Whether the file can be replaced: its folder takes new files, and the file
// itself may be written.
bool CanReplace(const std::string& file, std::string& error) {
    std::filesystem::path folder = std::filesystem::path(file).parent_path();
    if (folder.empty())
        folder = ".";
    // The safe save refuses a file without any write permission, even for a
    // privileged user: say so now, before the user answers for it.
    std::error_code failure;
    auto permissions = std::filesystem::status(file, failure).permissions();
    bool readOnly =
        !failure &&
        (permissions & (std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                        std::filesystem::perms::others_write)) == std::filesystem::perms::none;
    if (!readOnly && access(file.c_str(), W_OK) == 0 && access(folder.c_str(), W_OK | X_OK) == 0)
        return true;
    error = file;
    error += ": ";
    error += readOnly ? std::strerror(EACCES) : std::strerror(errno);
    return false;
}

// Checks one file; false when it could not be checked or written. `carried`
// holds the settings an earlier file's run left ("Options" may have changed
// them), and gets this file's.
bool CheckFile(const std::string& file, const Options& options, CheckDriver& driver,
               std::optional<std::string>& carried) {
    std::string error;
    if (std::optional<std::string> refusal = InPlaceRefusal(file)) {
        Error(*refusal);
        return false;
    }
    TextInput input(options.encoding);
    if (!input.Open(file, error)) {
        Error(file + ": " + error);
        return false;
    }
    if (!CanReplace(file, error)) {
        Error(error);
        return false;
    }
    TextRunOptions runOptions;
    runOptions.xtensionsDir = options.xtensions;
    runOptions.settingsFile = options.settingsFile;
    runOptions.settingsText = carried;
    runOptions.userDictionary = options.userFile;
    runOptions.components = kSpellingComponent;
    TextFileRun run;
    if (!run.Start(u"", runOptions, &driver, error)) {
        Error(error);
        return false;
    }
    driver.Begin(file, run.Host());
    // The file is checked a part at a time (its prose, through the markup
    // layer), the checked text written into the new file as it goes; the file is
    // replaced only when the check ends.
    PartRun part;
    part.format = ModeOf(options.mode, options.modeGiven, file);
    bool checked = false;
    int32_t lines = 0;
    part.command = [&] {
        const host::Story& story = run.Host().document->stories[0];
        int32_t partLines = 0;
        for (int32_t i = 0; i < story.Length(); ++i)
            partLines += story.UnitAt(i) == u'\n';
        driver.FirstLine(lines + 1);
        lines += partLines;
        if (driver.Closed())
            return true;  // closed: the rest as it is
        if (run.RunCommand("Check Story...") == TextFileRun::CommandResult::kDone)
            checked = true;
        return !driver.Interrupted();
    };
    bool changed = false;
    std::string unread;
    SaveResult saved = SaveFileSafely(
        file,
        SaveWriter([&](int fd) {
            part.write = [fd](std::string_view bytes) { return WriteWholeDescriptor(fd, bytes); };
            bool done = RunInParts(input, run.Host(), part, changed, unread);
            if (!done)
                errno = 0;
            return done;
        }),
        {.keepBackup = options.backup,
         .regularFileOnly = true,
         .check = [&](const std::string&) { return changed; }});
    carried = run.Settings();
    // A word the check could not save into the user dictionary (a full disk, a
    // read-only file) was told in its message box; the file is still written,
    // and the run ends with a failure.
    const bool unsaved = std::ranges::any_of(run.Host().messages, &host::ShownMessage::failure);
    if (unsaved)
        Error(file + ": a change of the user dictionary could not be saved");
    if (driver.Interrupted()) {
        std::cerr << file << ": interrupted; the file is left as it was\n";
        return false;
    }
    if (!unread.empty()) {
        Error(file + ": " + unread);
        return false;
    }
    if (!checked) {
        std::cerr << file << ": nothing to check\n";
        return !unsaved;
    }
    if (!changed) {
        std::cerr << file << ": no changes\n";
        return !unsaved;
    }
    if (!saved.Ok()) {
        Error(saved.Describe(file));
        return false;
    }
    const std::string& backup = saved.backupPath;
    std::cerr << file << ": changes written"
              << (backup.empty() ? "" : " (the original is " + backup + ")") << "\n";
    return !unsaved;
}

// Ctrl-C, a closed terminal (SIGHUP) and SIGTERM end the run at once, as the
// end of the script does: a file is written only when its check is done, so
// the one being checked is left as it was. The handler may only write and
// exit, so its line and status are made ready before each file.
struct InterruptReport {
    std::atomic<const char*> line{"tarnik check: interrupted\n"};
    std::atomic<int> status{kFindingsLeft};
};

InterruptReport& Interrupt() {
    static InterruptReport report;
    return report;
}

extern "C" void OnInterrupt(int) {
    const char* line = Interrupt().line.load();
    [[maybe_unused]] ssize_t written = ::write(STDERR_FILENO, line, std::strlen(line));
    ::_exit(Interrupt().status.load());
}

void EndRunOnInterrupt() {
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGHUP, SIGTERM})
        sigaction(signal, &action, nullptr);
}

int Run(const std::vector<std::string>& args) {
    Options options;
    if (std::optional<int> status = ParseOptions(args, options))
        return *status;
    EndRunOnInterrupt();
    std::unique_ptr<std::ifstream> script;
    std::istream* in = &std::cin;
    if (!options.script.empty()) {
        script = std::make_unique<std::ifstream>(options.script, std::ios::binary);
        if (!*script)
            return UsageError(kName, "cannot read the script " + options.script);
        in = script.get();
    } else if (!isatty(STDIN_FILENO)) {
        return UsageError(kName,
                          "standard input is not a terminal: answer from a script with --dialogs "
                          "SCRIPT");
    }
    CheckDriver driver(*in, std::cout, !script && isatty(STDOUT_FILENO));
    int status = 0;
    std::optional<std::string> carried;
    // Made before the first file, so that no line the handler may be reading
    // is ever freed.
    std::vector<std::string> interruptLines;
    for (const std::string& file : options.files)
        interruptLines.push_back("\n" + file + ": interrupted; the file is left as it was\n");
    for (size_t i = 0; i < options.files.size(); ++i) {
        const std::string& file = options.files[i];
        Interrupt().line = interruptLines[i].c_str();
        Interrupt().status = std::max(status, kFindingsLeft);
        const bool checked = CheckFile(file, options, driver, carried);
        if (driver.Interrupted())
            return std::max(status, kFindingsLeft);
        if (!checked)
            status = kUsageError;
    }
    return status;
}

const CommandRegistration registration({kName, "", "proofread text files interactively",
                                        std::string(kHelp) + kModeHelp + kEncodingHelp + kHelpEnd, Run});

}  // namespace
}  // namespace tarnik::cli
