// Running one of the plug-in's menu commands on plain text: the file-level
// commands (tarnik hyphenate, check, ...) read UTF-8 text, make it the story of
// the one text box of a new document (a caret at its start, so the command
// covers the whole story), run the command by its menu title with a dialog
// driver of their choosing, and write the story back as UTF-8.
//
// The plug-in is the one Tarnik11.so is built from, linked into tarnik and
// started through the services' file-run entry (services/file_run.h), so the
// command runs with every rule it has in a document (menus, enabling,
// dispatch, dialogs, messages), with only the components it needs, its places
// given as values and its settings in memory: the --settings FILE given (never
// written to), or the defaults, with the command's options laid over it.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/text_input.h"
#include "host/dialogs.h"
#include "host/memory_host.h"
#include "markup/prose_story.h"
#include "platform/settings_store.h"
#include "services/file_run.h"

namespace tarnik::cli {

// Writes `bytes` to standard output; false when they could not all be written.
bool WriteStandardOutput(const std::string& bytes);

using services::SettingValue;

using SettingName = NamedSetting;

// Appends to `settings` the keys of the comma-separated `names` (of `known`) in
// `section`, each with `value`; the problem ("unknown rule 'x'") when a name is
// not known.
std::optional<std::string> ParseSettingNames(const std::string& names,
                                             std::span<const SettingName> known,
                                             const char* section, const char* value,
                                             std::vector<SettingValue>& settings);

struct TextRunOptions {
    std::string xtensionsDir;  // empty: the XTensions folder beside tarnik
    std::string settingsFile;  // empty: the defaults
    // The settings to start from instead of the file's: what an earlier run
    // left (TextFileRun::Settings).
    std::optional<std::string> settingsText;
    std::vector<SettingValue> settings;    // laid over the settings, in order
    std::string userDictionary;            // empty: user.dic in its usual place
    std::string userExceptions;            // empty: PLHYPH.USR in its usual place
    unsigned components = kAllComponents;  // the plug-in components the command needs
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

    // The run's settings as they stand now (a dialog may have changed them), as
    // a settings file holds them.
    std::string Settings() const;

    host::MemoryHost& Host() { return host_; }

    // How many of Host().messages the plug-in showed while it started (the
    // components report missing data files then); the rest came since.
    size_t StartMessages() const { return startMessages_; }

  private:
    host::MemoryHost host_;
    bool started_ = false;
    size_t startMessages_ = 0;
};

// Output held back until this much is there, so that a text refused early (a bad
// byte near its start) leaves nothing written; past it, output goes out as it
// is made.
constexpr size_t kHeldOutput = 4 << 20;

// A text put through one of the plug-in's story commands a part at a time, in
// memory of the order of a part (or of the longest line, if longer): the input
// is read a line at a time through the markup reader of `format`, about
// `partUnits` units of prose (whole lines) go into the story, `command` runs on
// it, and the corrected story is written back into the text (markup/
// prose_story.h) and handed to `write`. For the commands that work word by word
// (hyphenation), where a part ends changes nothing.
struct PartRun {
    markup::TextFormat format = markup::TextFormat::kPlain;
    markup::ProseStory::Options prose;
    size_t partUnits = 256 * 1024;
    // Runs the command on the story; false stops the run (the reason told by the
    // caller).
    std::function<bool()> command;
    // Takes the next bytes of the output; false stops the run.
    std::function<bool(std::string_view bytes)> write;
};

// False with `error` set when the input could not be read (its reason), or
// empty when `command` or `write` stopped the run. `changed` tells whether any
// part's story came back changed.
// The story is the first of `host`'s document; the host keeps no undo steps of
// the parts.
bool RunInParts(TextInput& input, host::MemoryHost& host, const PartRun& run, bool& changed,
                std::string& error);

}  // namespace tarnik::cli
