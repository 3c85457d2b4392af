#include "cli/options.h"

#include <getopt.h>

#include <iostream>

#include "cli/command.h"

namespace tarnik::cli {

namespace {

// getopt_long's codes for the options of a table: a short option's own letter,
// else one above every byte.
constexpr int kFirstLongCode = 256;
constexpr int kHelpCode = 0x10000;
constexpr int kVersionCode = kHelpCode + 1;

int CodeOf(const Option& option, size_t index) {
    return option.shortName ? static_cast<unsigned char>(option.shortName)
                            : kFirstLongCode + static_cast<int>(index);
}

// The option of `code` as the user wrote it: "-o" or "--output".
std::string Spelled(std::span<const Option> options, int code, const std::string& written) {
    for (size_t i = 0; i < options.size(); ++i) {
        if (CodeOf(options[i], i) != code)
            continue;
        if (options[i].longName && (!options[i].shortName || written.starts_with("--")))
            return std::string("--") + options[i].longName;
        return std::string("-") + options[i].shortName;
    }
    return written;
}

bool IsKnown(std::span<const Option> options, int code) {
    for (size_t i = 0; i < options.size(); ++i) {
        if (CodeOf(options[i], i) == code)
            return true;
    }
    return code == kHelpCode || code == kVersionCode;
}

const Command* FindCommand(const std::string& name) {
    for (const Command& command : AllCommands()) {
        if (command.name == name)
            return &command;
    }
    return nullptr;
}

Option StringOption(const char* longName, char shortName, std::string& field) {
    return {longName, shortName, true, [&field](const std::string& value) {
                field = value;
                return std::optional<std::string>();
            }};
}

}  // namespace

std::optional<int> ParseCommandLine(const std::string& command,
                                    const std::vector<std::string>& args,
                                    std::span<const Option> options,
                                    std::vector<std::string>& operands) {
    // "-": operands come back in their place, as the value of code 1; ":": a
    // missing value is told apart from an unknown option.
    std::string shortOptions = "-:";
    std::vector<option> longOptions;
    for (size_t i = 0; i < options.size(); ++i) {
        const Option& o = options[i];
        if (o.shortName) {
            shortOptions += o.shortName;
            if (o.takesValue)
                shortOptions += ':';
        }
        if (o.longName)
            longOptions.push_back({o.longName, o.takesValue ? required_argument : no_argument,
                                   nullptr, CodeOf(o, i)});
    }
    longOptions.push_back({"help", no_argument, nullptr, kHelpCode});
    longOptions.push_back({"version", no_argument, nullptr, kVersionCode});
    longOptions.push_back({nullptr, 0, nullptr, 0});

    std::string programName = "tarnik " + command;
    std::vector<char*> argv;
    argv.push_back(programName.data());
    std::vector<std::string> copies(args);  // getopt may reorder what it is given
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const int argc = static_cast<int>(argv.size() - 1);

    opterr = 0;
    optind = 0;  // a fresh start, also after an earlier parse
    for (;;) {
        int code =
            getopt_long(argc, argv.data(), shortOptions.c_str(), longOptions.data(), nullptr);
        if (code == -1)
            break;
        const char* last =
            optind > 0 && optind <= argc ? argv[static_cast<size_t>(optind - 1)] : "";
        const std::string written = last ? last : "";
        if (code == 1) {
            operands.push_back(optarg);
        } else if (code == kHelpCode) {
            const Command* found = FindCommand(command);
            std::cout << (found ? found->help : "");
            return 0;
        } else if (code == kVersionCode) {
            std::cout << kVersionText;
            return 0;
        } else if (code == ':') {
            return UsageError(command, Spelled(options, optopt, written) + " needs a value");
        } else if (code == '?') {
            // A known option is refused only when given a value it does not take.
            if (IsKnown(options, optopt))
                return UsageError(command, Spelled(options, optopt, written) + " takes no value");
            std::string unknown = optopt != 0 ? std::string("-") + static_cast<char>(optopt)
                                              : written.substr(0, written.find('='));
            return UsageError(command, "unknown option '" + unknown + "'");
        } else {
            for (size_t i = 0; i < options.size(); ++i) {
                if (CodeOf(options[i], i) != code)
                    continue;
                if (std::optional<std::string> problem =
                        options[i].apply(options[i].takesValue ? optarg : ""))
                    return UsageError(command, *problem);
            }
        }
    }
    for (int i = optind; i < argc; ++i)
        operands.push_back(argv[static_cast<size_t>(i)]);
    return std::nullopt;
}

Option FlagOption(const char* longName, bool& field, bool value) {
    return {longName, 0, false, [&field, value](const std::string&) {
                field = value;
                return std::optional<std::string>();
            }};
}

Option ValueOption(const char* longName, std::string& field) {
    return StringOption(longName, 0, field);
}

Option DataOption(std::string& folder) {
    return StringOption("data", 0, folder);
}

Option XTensionsOption(std::string& folder) {
    return StringOption("xtensions", 0, folder);
}

Option UserOption(std::string& file, char shortName) {
    return StringOption("user", shortName, file);
}

Option PersonalListOption(std::string& file) {
    return StringOption(nullptr, 'p', file);
}

Option SettingsOption(std::string& file) {
    return StringOption("settings", 0, file);
}

Option OutputOption(std::string& file) {
    return StringOption("output", 'o', file);
}

Option InPlaceOption(bool& inPlace) {
    return FlagOption("in-place", inPlace);
}

Option NoBackupOption(bool& backup) {
    return FlagOption("no-backup", backup, false);
}

Option EncodingOption(TextEncoding& encoding) {
    return {"encoding", 'i', true, [&encoding](const std::string& value) {
                if (TextEncodingFromName(value, encoding))
                    return std::optional<std::string>();
                return std::optional<std::string>("unknown encoding '" + value +
                                                  "' (utf-8, iso-8859-2 or windows-1250)");
            }};
}

std::vector<Option> ModeOptions(markup::TextFormat& mode, bool& given) {
    auto named = [&mode, &given](const std::string& value) -> std::optional<std::string> {
        if (!markup::TextFormatFromName(value, mode))
            return "unknown mode '" + value + "' (plain, tex, html, markdown or nroff)";
        given = true;
        return std::nullopt;
    };
    auto letter = [&mode, &given](char name, markup::TextFormat value) {
        return Option{nullptr, name, false, [&mode, &given, value](const std::string&) {
                          mode = value;
                          given = true;
                          return std::optional<std::string>();
                      }};
    };
    return {
        {"mode", 0, true, named},
        {"format", 0, true, named},
        letter('t', markup::TextFormat::kTex),
        letter('H', markup::TextFormat::kHtml),
        letter('n', markup::TextFormat::kNroff),
    };
}

markup::TextFormat ModeOf(markup::TextFormat mode, bool given, const std::string& path) {
    if (given)
        return mode;
    return markup::TextFormatFromPath(path).value_or(markup::TextFormat::kPlain);
}

const char kModeHelp[] =
    "  --mode MODE, -t, -H, -n\n"
    "                  the markup of the text: plain, tex (TeX and LaTeX), html\n"
    "                  (HTML and XML), markdown or nroff (troff, manual pages);\n"
    "                  -t is tex, -H html, -n nroff. Only the prose is read and\n"
    "                  changed: commands, tags, math, code and comments are left as\n"
    "                  they are. Without it a file's extension tells (.tex .ltx .sty\n"
    "                  .cls, .html .htm .xhtml .xml .svg, .md .markdown, .1-.9\n"
    "                  .man), and anything else, standard input too, is plain\n";

const char kEncodingHelp[] =
    "  -i ENC, --encoding ENC\n"
    "                  the encoding of the text read: utf-8 (the default),\n"
    "                  iso-8859-2 (latin2) or windows-1250 (cp1250); output is\n"
    "                  UTF-8. Input that is not text of its encoding is refused\n"
    "                  with the offset of its first bad byte (exit status 2)\n"
    "  --help          show this text\n"
    "  --version       print tarnik's version and stop\n";

}  // namespace tarnik::cli
