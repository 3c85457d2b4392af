// tarnik menus: the plug-in's menus as the host shows them for a document.
#include <iostream>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/plugin_session.h"
#include "host/dialogs.h"
#include "host/menu_listing.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "menus";

constexpr char kHelp[] =
    "Usage: tarnik menus [OPTIONS] DOC.json\n\n"
    "Loads the document into the host, starts the plug-in and prints its three\n"
    "menus as they stand for the document's current box and selection (UTF-8):\n"
    "each menu's title on a line, then each item on a line of two spaces, '+ '\n"
    "when it is enabled or '- ' when not, and its title; a separator is '  ----'.\n"
    "Titles are in the document's interface language.\n\n"
    "Options (they may come before or after DOC.json):\n"
    "  --data DIR       the XTensions folder holding Tarnik11.so and its data files\n"
    "                   (default: the folder XTensions beside tarnik); --xtensions\n"
    "                   DIR is another name for it\n"
    "  --help           show this text\n"
    "  --version        print tarnik's version and stop\n";

int Run(const std::vector<std::string>& args) {
    std::string xtensions;
    const Option table[] = {DataOption(xtensions), XTensionsOption(xtensions)};
    std::vector<std::string> operands;
    if (std::optional<int> status = ParseCommandLine(kName, args, table, operands))
        return *status;
    if (operands.empty())
        return UsageError(kName, "no document given");
    if (operands.size() > 1)
        return UsageError(kName, "unexpected argument '" + operands[1] + "'");
    const std::string& document = operands[0];
    PluginSession session;
    std::string error;
    if (!session.Open(document, xtensions, nullptr, error))
        return ReportError(kName, "", error);
    // What the plug-in said while it started (a damaged user file kept aside,
    // a missing data file) is no less true for a listing.
    for (const host::ShownMessage& message : session.Host().messages)
        std::cerr << "tarnik " << kName << ": " << host::MessageOnOneLine(message.text) << "\n";
    std::cout << host::MenuListing(session.Host().menus);
    return 0;
}

const CommandRegistration registration({kName, "", "print the plug-in's menus for a document",
                                        kHelp, Run});

}  // namespace
}  // namespace tarnik::cli
