// The one option parser of the tarnik commands, over glibc's getopt_long.
//
// getopt_long rather than a library: it is in the C library already, it takes
// the options the ispell family's callers pass as they pass them (bundled short
// options "-tB", values attached "-dpl" or apart "-d pl", long options with
// "--output=FILE" or "--output FILE"), and it is asked to hand operands back in
// their place among the options, so that options may follow operands in every
// command whatever POSIXLY_CORRECT says. "--" ends the options.
//
// A command lists its options as a table of Option; the shared vocabulary
// (--data, --user, --settings, -o/--output, --in-place, -i/--encoding) comes from
// the functions below, so that every command spells and checks them alike.
// --help and --version are every command's.
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "cli/text_input.h"
#include "markup/markup.h"

namespace tarnik::cli {

struct Option {
    const char* longName = nullptr;  // "output", or nullptr for a short option alone
    char shortName = 0;              // 'o', or 0 for a long option alone
    bool takesValue = false;
    // Takes the option's value ("" for a flag); a message makes it a usage error.
    std::function<std::optional<std::string>(const std::string& value)> apply;
};

// Parses the arguments of `command` (those after its name) by `options`: each
// option is applied in the order given, operands are appended to `operands`.
// None to go on; otherwise the exit status to end with: 0 after --help (the
// command's help) or --version, kUsageError after reporting a usage error.
std::optional<int> ParseCommandLine(const std::string& command,
                                    const std::vector<std::string>& args,
                                    std::span<const Option> options,
                                    std::vector<std::string>& operands);

// A long option that sets `field` to `value`.
Option FlagOption(const char* longName, bool& field, bool value = true);
// A long option whose value is kept in `field`.
Option ValueOption(const char* longName, std::string& field);

// The shared vocabulary.
Option DataOption(std::string& folder);       // --data DIR
Option XTensionsOption(std::string& folder);  // --xtensions DIR, the older name of --data
Option UserOption(std::string& file, char shortName = 0);  // --user FILE
Option PersonalListOption(std::string& file);              // -p FILE, a personal word list
Option SettingsOption(std::string& file);                  // --settings FILE
Option OutputOption(std::string& file);                    // -o FILE, --output FILE
Option InPlaceOption(bool& inPlace);                       // --in-place
Option EncodingOption(TextEncoding& encoding);             // -i ENC, --encoding ENC
Option NoBackupOption(bool& backup);                       // --no-backup

// The markup of the text read: --mode NAME (plain, tex, html, markdown or nroff;
// --format NAME is another name for it) and ispell's short forms -t (TeX), -H
// (HTML) and -n (nroff). `given` says whether one was given; without one, a
// file's mode comes from its extension (ModeOf).
std::vector<Option> ModeOptions(markup::TextFormat& mode, bool& given);
// The mode of the file at `path`: the one given, else the one its extension
// tells (.tex, .html, .md, .1 ...), else plain; standard input is plain unless a
// mode is given.
markup::TextFormat ModeOf(markup::TextFormat mode, bool given, const std::string& path);
// The lines of the mode options in a command's help.
extern const char kModeHelp[];

// The last lines of the options in the help of a command that reads text:
// -i, --help and --version.
extern const char kEncodingHelp[];

}  // namespace tarnik::cli
