// Running one of the plug-in's menu commands on plain text: the file-level
// commands (tarnik hyphenate, check, ...) read UTF-8 text, make it the story of
// the one text box of a new document (a caret at its start, so the command
// covers the whole story), run the command by its menu title with a dialog
// driver of their choosing, and write the story back as UTF-8.
//
// The plug-in is the one Tarnik11.so is built from, linked into tarnik and
// started through its own entry, so the command runs with every rule it has in
// a document (menus, enabling, dispatch, dialogs, messages). Linking it in is
// what lets a file run choose its settings: a module loaded from the XTensions
// folder reads the settings file of that installation, and every file run would
// then depend on (and a preferences dialog write into) the user's own settings.
// Here the settings are a private copy, made for the run and removed after it
// (also when the program is interrupted by SIGINT, SIGHUP or SIGTERM):
// the --settings FILE given (never written to), or nothing (the defaults), with
// the command's options laid over it. At start-up the plug-in chooses a settings
// file as it always does; that choice is made with an empty per-user folder, so
// it copies nothing anywhere, and the private copy replaces it before the menus
// are installed, where the components read their settings.
//
// The data files are those of the XTensions folder (PLHYPH.DAT, son.dic), and
// the user's files (PLHYPH.USR, user.dic) are found beside them or in the
// per-user folder, as the plug-in finds them in a host.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "host/dialogs.h"
#include "host/memory_host.h"

namespace tarnik::cli {

// Reads `file` whole ("" or "-": standard input) and decodes it as UTF-8. False
// with a message naming the file and the reason ("notes.txt: No such file or
// directory", "notes.txt: not UTF-8 text (bad byte at offset 17)").
bool ReadTextInput(const std::string& file, std::u16string& text, std::string& error);

// Writes `bytes` to standard output; false when they could not all be written.
bool WriteStandardOutput(const std::string& bytes);

// One key of the settings, as the plug-in stores it: "1Dzielenie",
// "2UzywajWyjatkow", "0".
struct SettingValue {
    std::string section;
    std::string key;
    std::string value;
};

// A setting named as the options --on and --off name it, and its key.
struct SettingName {
    const char* name;  // "skip-capitals"
    const char* key;   // "4PominWersaliki"
};

// Appends to `settings` the keys of the comma-separated `names` (of `known`) in
// `section`, each with `value`; the problem ("unknown rule 'x'") when a name is
// not known.
std::optional<std::string> ParseSettingNames(const std::string& names,
                                             std::span<const SettingName> known,
                                             const char* section, const char* value,
                                             std::vector<SettingValue>& settings);

struct TextRunOptions {
    std::string xtensionsDir;            // empty: the XTensions folder beside tarnik
    std::string settingsFile;            // empty: the defaults
    std::vector<SettingValue> settings;  // laid over the settings file, in order
};

class TextFileRun {
  public:
    enum class CommandResult {
        kDone,      // the command ran (it may have shown messages)
        kNoItem,    // no menu item has that title
        kDisabled,  // the item is disabled for this story (an empty one, say)
    };

    TextFileRun();
    ~TextFileRun();
    TextFileRun(const TextFileRun&) = delete;
    TextFileRun& operator=(const TextFileRun&) = delete;

    // Makes the document of `text` and starts the plug-in with `driver` answering
    // its dialogs and message boxes (none: every dialog is cancelled). False with
    // the reason in `error` (a settings file that cannot be read, a plug-in that
    // does not start).
    bool Start(const std::u16string& text, const TextRunOptions& options,
               host::DialogDriver* driver, std::string& error);

    // Chooses the menu item titled `title` (English titles: the document is in
    // English) as the menus show it for the story now.
    CommandResult RunCommand(const std::string& title);

    // The story as UTF-8; a discretionary hyphen is U+00AD.
    std::string StoryText() const;

    host::MemoryHost& Host() { return host_; }

    // How many of Host().messages the plug-in showed while it started (the
    // components report missing data files then); the rest came since.
    size_t StartMessages() const { return startMessages_; }

  private:
    class InterruptWatch;

    host::MemoryHost host_;
    std::string settingsFolder_;  // the private settings copy lies here
    // Removes the folder when the program is interrupted (Ctrl-C, a closed
    // terminal, kill) before the run ends.
    std::unique_ptr<InterruptWatch> interruptWatch_;
    bool started_ = false;
    size_t startMessages_ = 0;
};

}  // namespace tarnik::cli
