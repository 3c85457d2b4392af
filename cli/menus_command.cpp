// tarnik menus: the plug-in's menus as the host shows them for a document.
#include <iostream>

#include "cli/command.h"
#include "cli/plugin_session.h"
#include "host/dialogs.h"
#include "host/menu_listing.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "menus";

constexpr char kHelp[] =
    "Usage: tarnik menus [--xtensions DIR] DOC.json\n\n"
    "Loads the document into the host, starts the plug-in and prints its three\n"
    "menus as they stand for the document's current box and selection (UTF-8):\n"
    "each menu's title on a line, then each item on a line of two spaces, '+ '\n"
    "when it is enabled or '- ' when not, and its title; a separator is '  ----'.\n"
    "Titles are in the document's interface language.\n\n"
    "  --xtensions DIR  the XTensions folder holding Tarnik11.so and its data files\n"
    "                   (default: the folder XTensions beside tarnik)\n";

int Run(const std::vector<std::string>& args) {
    std::string document;
    std::string xtensions;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--xtensions") {
            if (++i == args.size())
                return UsageError(kName, "--xtensions needs a folder");
            xtensions = args[i];
        } else if (args[i].starts_with("-") || !document.empty()) {
            return UsageError(kName, "unexpected argument '" + args[i] + "'");
        } else {
            document = args[i];
        }
    }
    if (document.empty())
        return UsageError(kName, "no document given");
    PluginSession session;
    std::string error;
    if (!session.Open(document, xtensions, nullptr, error)) {
        std::cerr << "tarnik " << kName << ": " << error << "\n";
        return kUsageError;
    }
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
