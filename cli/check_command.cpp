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
#include <termios.h>
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
#include "cli/spelling_options.h"
#include "cli/text_file_run.h"
#include "cli/text_input.h"
#include "host/dialog_script.h"
#include "host/dialogs.h"
#include "host/terminal_dialog_driver.h"
#include "markup/prose_story.h"
#include "platform/dialog_resources.h"
#include "services/speller.h"
#include "spellcheck/cdict_miss_dialog.h"
#include "tarnik/file_io.h"
#include "tarnik/safe_save.h"
#include "tarnik/text_codec.h"
#include "text/unicode_case.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "check";

constexpr char kHelp[] =
    "Usage: tarnik check [OPTIONS] FILE...    (also: tarnik [OPTIONS] FILE...)\n\n"
    "Proofreads Polish text files interactively with the plug-in's Check Story.\n"
    "At each misspelt word it shows the file, line and column, the line with the\n"
    "word highlighted and the numbered suggestions, and takes one key, as ispell\n"
    "and hunspell do (at a terminal no Enter is needed after it):\n"
    "  Space  accept the word this time\n"
    "  a      accept it for the rest of the run (A and I too: Ignore All)\n"
    "  i      insert it into the personal dictionary, as it is written: the -p word\n"
    "         list, or else the user dictionary (the dialog's Add)\n"
    "  u      insert it in small letters\n"
    "  1-15   change it to that suggestion (with ten or more, 1 waits for a second\n"
    "         digit or Enter)\n"
    "  r      replace it (asks for the new text; Enter alone goes back)\n"
    "  R      replace it and its later occurrences in the run (Change All)\n"
    "  l      look up a word: its suggestions, or that it is correct (s too:\n"
    "         Suggest; Enter: the misspelt word)\n"
    "  x      Close: write this file with its changes so far, go to the next\n"
    "  q      quit: leave this file as it was and stop the run (asks first)\n"
    "  b      Abort: as q, without asking\n"
    "  o      Options: the Dictionary Preferences dialog\n"
    "  ?      show these keys\n"
    "Capitals L, U, X and Q are the same as l, u, x and q.\n"
    "When a file's check ends, the file is written back with the changes, the\n"
    "original kept as FILE.bak (or FILE.bak.1, ..., never over an older backup);\n"
    "a file without changes is not written. A file read in another encoding (-i)\n"
    "is written back in UTF-8.\n\n"
    "Options (they may come before or after the files):\n"
    "  --user FILE       the user dictionary (default: user.dic, as tarnik pipe and\n"
    "                    the plug-in find it)\n"
    "  -p FILE           a personal word list as hunspell keeps it (UTF-8, one word\n"
    "                    a line), created with its folders when missing: its words\n"
    "                    pass, and i and u put words there (a Tarnik user\n"
    "                    dictionary named here is used as --user)\n"
    "  -d NAME[,NAME...] the dictionary: Polish (pl, pl_PL, polish, polski); other\n"
    "                    languages are not used by check, and are named so\n"
    "  --dialogs SCRIPT  read the answers from SCRIPT, one a line (a line of\n"
    "                    spaces is Space; 'r TEXT' replaces with TEXT), instead of\n"
    "                    the terminal; the Dictionary Preferences dialog takes the\n"
    "                    steps of tarnik run's dialog scripts (press 1020, ...)\n"
    "  -x, --no-backup   do not keep FILE.bak\n"
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

// The keys, shown under each word and by '?'.
constexpr char kMenu[] =
    "  Space) accept once   a) accept   i) insert   u) insert small   r) replace\n"
    "  R) replace all   l) look up   x) save, next file   q) quit   ?) help\n";
constexpr char kKeys[] =
    "  Space  accept the word this time      a, A, I  accept it for the run\n"
    "  i      insert it into the personal dictionary\n"
    "  u      insert it in small letters     1-15     take that suggestion\n"
    "  r      replace it                     R        replace it in the whole run\n"
    "  l, s   look up a word                 o        Options\n"
    "  x      write this file and go on to the next one\n"
    "  q      quit, leaving this file as it was (asks first)   b  the same at once\n";
constexpr char kAnswerHint[] =
    "Answer with Space, a suggestion's number or one of a i u r R l x q (? for help).\n";

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
    std::string personalFile;  // -p: a word list, or a user dictionary
    std::vector<std::string> otherLanguages;
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

// Ctrl-C, a closed terminal (SIGHUP) and SIGTERM end the run at once, as the
// end of the script does: a file is written only when its check is done, so
// the one being checked is left as it was. The handler may only write, put the
// terminal back as it was and exit, so its line and status are made ready
// before each file.
struct InterruptReport {
    std::atomic<const char*> line{"tarnik check: interrupted\n"};
    std::atomic<int> status{kFindingsLeft};
    std::atomic<bool> restoreTerminal{false};
    termios terminal{};  // as the run found it
};

InterruptReport& Interrupt() {
    static InterruptReport report;
    return report;
}

// The terminal read a key at a time, as ispell reads it (no Enter after a key,
// nothing echoed), and a line at a time, echoed, for a text. Ctrl-C still
// interrupts; the terminal is put back as it was after each read and when the
// run is interrupted.
class Keyboard {
  public:
    explicit Keyboard(int fd) : fd_(fd) {
        if (tcgetattr(fd_, &Interrupt().terminal) == 0)
            Interrupt().restoreTerminal = true;
    }
    ~Keyboard() { Restore(); }
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    // The next key: one character, UTF-8. False at the end of the input.
    bool Key(std::string& key) {
        key.clear();
        if (Interrupt().restoreTerminal) {
            termios raw = Interrupt().terminal;
            raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
            raw.c_cc[VMIN] = 1;
            raw.c_cc[VTIME] = 0;
            tcsetattr(fd_, TCSANOW, &raw);
        }
        char byte = 0;
        bool read = Byte(byte);
        if (read) {
            key += byte;
            auto lead = static_cast<unsigned char>(byte);
            int following = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
            for (int i = 0; i < following && Byte(byte); ++i)
                key += byte;
        }
        Restore();
        return read && key != "\x04";  // Ctrl-D
    }

    // A line, without its end; false at the end of the input.
    bool Line(std::string& line) {
        line.clear();
        for (char byte = 0; Byte(byte);) {
            if (byte == '\n')
                return true;
            line += byte;
        }
        return false;
    }

  private:
    bool Byte(char& byte) {
        for (;;) {
            ssize_t n = ::read(fd_, &byte, 1);
            if (n == 1)
                return true;
            if (n < 0 && errno == EINTR)
                continue;
            return false;
        }
    }
    void Restore() {
        if (Interrupt().restoreTerminal)
            tcsetattr(fd_, TCSANOW, &Interrupt().terminal);
    }

    int fd_;
};

// Where i and u put words during one file's check.
struct Insertions {
    services::PersonalWordList* personal = nullptr;  // -p's list; none: the user dictionary
    std::string userPath;                            // the user dictionary
    services::AcceptedWords* passing = nullptr;      // the words that pass from now on
};

// Adds `word` to the user dictionary `path`, beside the plug-in's own record of it.
std::optional<tarnik::Error> AddToUserDictionary(const std::string& path, const std::string& word) {
    std::string cp1250;
    if (std::string problem = services::UserWordProblem(word, cp1250); !problem.empty())
        return tarnik::Error{problem, path, 0};
    UserDictionary* record = nullptr;
    if (std::optional<tarnik::Error> problem = services::OpenUserDictionary(path, record))
        return problem;
    std::optional<tarnik::Error> result;
    if (int16_t added = UserDictAddWord(record, cp1250); added != kUserDictOk)
        result = services::UserDictChangeProblem(record, added, path);
    UserDictClose(record);
    return result;
}

// Answers the plug-in's dialogs for tarnik check: the Check Spelling dialog by
// its keys, every other dialog by dialog-script steps, from one input.
class CheckDriver : public host::DialogDriver {
  public:
    // `keyboard`: the terminal, read a key at a time; none: `in`, a line at a time.
    CheckDriver(std::istream& in, std::ostream& out, bool terminal, Keyboard* keyboard)
        : in_(in), out_(out), terminal_(terminal), keyboard_(keyboard), others_(in, out) {}

    // The file being checked, the host that shows it, and where words go.
    void Begin(const std::string& file, host::MemoryHost& host, const Insertions& insertions) {
        KeepAnswered();
        file_ = file;
        host_ = &host;
        insertions_ = insertions;
        closed_ = false;
        firstLine_ = 1;
    }
    bool Interrupted() const { return interrupted_; }
    // Whether a word to be inserted could not be saved.
    bool Unsaved() const { return unsaved_; }
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
        out_ << "\n" << kMenu;
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
            std::string key;
            std::string rest;
            if (!ReadAnswer(dialog, key, rest)) {
                interrupted_ = true;
                return std::nullopt;
            }
            if (key.empty())
                continue;
            if (std::isdigit(static_cast<unsigned char>(key[0]))) {
                if (auto action = ChangeTo(dialog, key, MissDialog::kChangeItem))
                    return action;
                continue;
            }
            // The capitals that do not clash are the small letters' (ispell
            // ignores case); I keeps the dialog's Ignore All.
            if (key == "L" || key == "U" || key == "X" || key == "Q" || key == "A")
                key[0] = static_cast<char>(key[0] - 'A' + 'a');
            if (key.size() != 1) {
                out_ << kAnswerHint;
                continue;
            }
            switch (key[0]) {
                case ' ':
                    return Press(MissDialog::kIgnoreItem);
                case 'a':
                case 'I':
                    ignored_.insert(word);
                    ignored_.insert(Lowered(word));
                    return Press(MissDialog::kIgnoreAllItem);
                case 'i':
                case 'u':
                    if (auto action = Insert(dialog, word, key[0] == 'u'))
                        return action;
                    continue;
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
                        bool follows = ReplacementFollowsCase(Units(word), Units(to));
                        answered_->change = {Lowered(word), {follows ? Lowered(to) : to, follows}};
                    }
                    return action;
                }
                case 'l':
                case 's':
                    if (rest.empty() && !ReadLine("Look up (Enter: the word): ", rest)) {
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
                case 'q': {
                    std::string sure;
                    if (!ReadLine("Quit, leaving this file as it was? (y/n) ", sure) ||
                        sure == "y" || sure == "Y") {
                        interrupted_ = true;
                        return std::nullopt;
                    }
                    continue;
                }
                case 'b':
                    interrupted_ = true;
                    return std::nullopt;
                case '?':
                    out_ << kKeys;
                    continue;
                default:
                    out_ << kAnswerHint;
                    continue;
            }
        }
    }

    // Inserts `word` (in small letters when `small`) into the personal word
    // list, or the user dictionary; the plug-in's own Add stores a word as the
    // text has it. None when it could not be stored (the user answers again).
    std::optional<host::DialogAction> Insert(const host::DialogState& dialog,
                                             const std::string& word, bool small) {
        std::string stored = small ? Lowered(word) : word;
        if (!insertions_.personal && stored == word) {
            if (const host::DialogItemState* add = Item(dialog, MissDialog::kAddItem);
                add && add->enabled)
                return Press(MissDialog::kAddItem);
            out_ << "There is no user dictionary to add to.\n";
            return std::nullopt;
        }
        std::optional<tarnik::Error> problem =
            insertions_.personal ? insertions_.personal->Add(stored)
                                 : AddToUserDictionary(insertions_.userPath, stored);
        if (problem) {
            out_ << "'" << stored << "' was not inserted: " << problem->Message() << "\n";
            unsaved_ = true;
            return std::nullopt;
        }
        insertions_.passing->Accept(stored);
        return Press(MissDialog::kIgnoreItem);
    }

    // One answer: a key and what follows it on its line (a script's "r TEXT").
    // At a terminal a key needs no Enter; a 1 among ten or more suggestions
    // waits for a second digit.
    bool ReadAnswer(const host::DialogState& dialog, std::string& key, std::string& rest) {
        if (!keyboard_) {
            std::string line;
            if (!ReadLine("? ", line))
                return false;
            if (!line.empty() && line.find_first_not_of(' ') == std::string::npos) {
                key = " ";
                return true;
            }
            key = line.substr(0, line.find_first_of(" \t"));
            rest = key.size() < line.size() ? line.substr(key.size() + 1) : "";
            return true;
        }
        out_ << "? " << std::flush;
        if (!keyboard_->Key(key))
            return false;
        if (key == "\n" || key == "\r") {
            key.clear();
            out_ << "\n";
            return true;
        }
        const host::DialogItemState* list = Item(dialog, MissDialog::kSuggestionsItem);
        out_ << (key == " " ? "" : key) << std::flush;
        std::string second;
        if (key == "1" && list && list->enabled && list->rows.size() >= 10) {
            if (!keyboard_->Key(second))
                return false;
            if (second.size() == 1 && std::isdigit(static_cast<unsigned char>(second[0]))) {
                key += second;
                out_ << second;
            }
        }
        out_ << "\n";
        return true;
    }

    bool ReadLine(const char* prompt, std::string& line) {
        if (terminal_)
            out_ << prompt << std::flush;
        bool read = keyboard_ ? keyboard_->Line(line) : static_cast<bool>(std::getline(in_, line));
        if (!read) {
            if (terminal_)
                out_ << "\n";
            return false;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        return true;
    }

    std::istream& in_;
    std::ostream& out_;
    bool terminal_;
    Keyboard* keyboard_;
    host::TerminalDialogDriver others_;
    Insertions insertions_;
    bool unsaved_ = false;
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
        UserOption(options.userFile),
        ValueOption("dialogs", options.script),
        NoBackupOption(options.backup),
        {nullptr, 'x', false,
         [&options](const std::string&) {
             options.backup = false;
             return std::optional<std::string>();
         }},
        PersonalListOption(options.personalFile),
        {nullptr, 'd', true,
         [&options](const std::string& value) {
             return ParseDictionaryNames(value, options.otherLanguages);
         }},
        SettingsOption(options.settingsFile),
        DataOption(options.xtensions),
        XTensionsOption(options.xtensions),
        EncodingOption(options.encoding),
    };
    for (Option& mode : ModeOptions(options.mode, options.modeGiven))
        table.push_back(std::move(mode));
    if (std::optional<int> status = ParseCommandLine(kName, args, table, options.files))
        return status;
    if (options.files.empty())
        return UsageError(kName, "no file given");
    for (const std::string& other : options.otherLanguages)
        std::cerr << "tarnik " << kName << ": the dictionary '" << other
                  << "' is not used: tarnik check checks Polish alone\n";
    if (!options.personalFile.empty() && services::HoldsUserDictionary(options.personalFile)) {
        options.userFile = options.personalFile;
        options.personalFile.clear();
    }
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
               services::PersonalWordList* personal, std::optional<std::string>& carried) {
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
    // The personal list's words pass in this file's check (the plug-in closes
    // them with its dictionaries at the end of the run).
    services::AcceptedWords passing;
    if (personal) {
        for (const std::string& word : personal->Words())
            passing.Accept(word);
    }
    driver.Begin(file, run.Host(),
                 {personal,
                  services::UserDictionaryPath(
                      options.xtensions.empty() ? DefaultXTensionsDir() : options.xtensions,
                      options.userFile),
                  &passing});
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
    const bool unsaved =
        std::ranges::any_of(run.Host().messages, &host::ShownMessage::failure) || driver.Unsaved();
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

extern "C" void OnInterrupt(int) {
    if (Interrupt().restoreTerminal)
        tcsetattr(STDIN_FILENO, TCSANOW, &Interrupt().terminal);
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
    std::optional<services::PersonalWordList> personal;
    if (!options.personalFile.empty()) {
        personal.emplace();
        // As in the pipe, a list that cannot be read or made is told, and the
        // check goes on; inserting into it then fails and is told.
        if (std::optional<tarnik::Error> problem = personal->Open(options.personalFile))
            ReportError(kName, "", problem->Message() + "; the check goes on without its words");
    }
    std::optional<Keyboard> keyboard;
    if (!script)
        keyboard.emplace(STDIN_FILENO);
    CheckDriver driver(*in, std::cout, !script && isatty(STDOUT_FILENO),
                       keyboard ? &*keyboard : nullptr);
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
        const bool checked =
            CheckFile(file, options, driver, personal ? &*personal : nullptr, carried);
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
