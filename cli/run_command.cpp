// tarnik run: runs one menu command of the plug-in on a document.
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

#include "cli/command.h"
#include "cli/options.h"
#include "cli/plugin_session.h"
#include "host/dialog_script.h"
#include "host/dialogs.h"
#include "host/document_file.h"
#include "host/terminal_dialog_driver.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "run";

constexpr char kHelp[] =
    "Usage: tarnik run [OPTIONS] DOC.json --command TITLE\n\n"
    "Loads the document into the host, starts the plug-in and chooses the menu item\n"
    "whose title is TITLE as the menus now show it (in the document's interface\n"
    "language, e.g. \"About Tarnik...\" or \"Informacje o Tarniku...\"). Dialogs and\n"
    "message boxes are answered from the script, one step a line (docs/commands.md):\n"
    "  press ITEM | type ITEM TEXT | choose ITEM ROW | activate ITEM ROW |\n"
    "  answer ok|cancel|yes|no\n"
    "Without --dialogs they are shown on the terminal and answered there. Every\n"
    "message box the plug-in shows is printed to standard error. The document is\n"
    "then saved to OUT.json, or back to DOC.json.\n\n"
    "Options (they may come before or after DOC.json):\n"
    "  --command TITLE  the menu item to choose\n"
    "  --dialogs SCRIPT the dialog script\n"
    "  -o OUT.json, --output OUT.json\n"
    "                   where to save the document (default: DOC.json itself)\n"
    "  --data DIR       the XTensions folder holding Tarnik11.so and its data files\n"
    "                   (default: the folder XTensions beside tarnik); --xtensions\n"
    "                   DIR is another name for it\n"
    "  --help           show this text\n"
    "  --version        print tarnik's version and stop\n\n"
    "Exit status: 0 when the command ran and the document was saved; 1 when the item\n"
    "is disabled, or the script did not fit the dialogs the command showed (too few\n"
    "or too many steps, or a step the dialog refused), and then nothing is saved;\n"
    "2 on bad usage, an unknown title, or a file that cannot be read or written,\n"
    "also when the command could not save a file of its own (the user dictionary,\n"
    "the hyphenation exceptions, the settings) and said so.\n";

struct Options {
    std::string document;
    std::string command;
    std::string script;
    std::string output;
    std::string xtensions;
};

int Error(int status, const std::string& message) {
    return ReportError(kName, "", message, status);
}

bool ReadFile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    text.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

// Parses the arguments; none to go on, or the exit status to end with.
std::optional<int> ParseOptions(const std::vector<std::string>& args, Options& options) {
    const Option table[] = {
        ValueOption("command", options.command),
        ValueOption("dialogs", options.script),
        OutputOption(options.output),
        DataOption(options.xtensions),
        XTensionsOption(options.xtensions),
    };
    std::vector<std::string> operands;
    if (std::optional<int> status = ParseCommandLine(kName, args, table, operands))
        return status;
    if (operands.size() > 1)
        return UsageError(kName, "unexpected argument '" + operands[1] + "'");
    if (operands.empty())
        return UsageError(kName, "no document given");
    options.document = operands[0];
    if (options.command.empty())
        return UsageError(kName, "no --command given");
    return std::nullopt;
}

int Run(const std::vector<std::string>& args) {
    Options options;
    if (std::optional<int> status = ParseOptions(args, options))
        return *status;

    std::unique_ptr<host::ScriptedDialogDriver> scripted;
    std::unique_ptr<host::TerminalDialogDriver> terminal;
    host::DialogDriver* driver = nullptr;
    if (!options.script.empty()) {
        std::string script;
        if (!ReadFile(options.script, script))
            return Error(kUsageError, "cannot read the dialog script " + options.script);
        scripted = std::make_unique<host::ScriptedDialogDriver>();
        std::string error;
        if (!host::LoadDialogScript(script, *scripted, error))
            return Error(kUsageError, options.script + ": " + error);
        driver = scripted.get();
    } else {
        terminal = std::make_unique<host::TerminalDialogDriver>(std::cin, std::cout);
        driver = terminal.get();
    }

    PluginSession session;
    std::string error;
    if (!session.Open(options.document, options.xtensions, driver, error))
        return Error(kUsageError, error);
    host::MemoryHost& memoryHost = session.Host();
    const host::MenuItem* item = memoryHost.menus.FindItemByTitle(options.command);
    if (!item)
        return Error(kUsageError,
                     "no menu item \"" + options.command + "\" (tarnik menus shows the titles)");
    if (!item->enabled)
        return Error(1, "the menu item \"" + options.command + "\" is disabled");

    memoryHost.ChooseMenuItem(item->number);
    bool unsaved = false;  // the plug-in could not save a file of its own
    for (const host::ShownMessage& message : memoryHost.messages) {
        std::cerr << message.title << ": " << host::MessageOnOneLine(message.text) << "\n";
        unsaved = unsaved || message.failure;
    }
    if (scripted) {
        for (const std::string& problem : scripted->Problems())
            std::cerr << "tarnik " << kName << ": " << options.script << ": " << problem << "\n";
        if (!scripted->Problems().empty())
            return Error(1, "the dialog script did not fit; the document was not saved");
        if (!scripted->Finished())
            return Error(1,
                         "steps of the dialog script were left over; the document was not saved");
    }

    const std::string& output = options.output.empty() ? options.document : options.output;
    if (!host::SaveDocumentFile(output, memoryHost, error))
        return Error(kUsageError, error);
    if (unsaved)
        return Error(kUsageError,
                     "the command could not save its changes (see above); the "
                     "document was saved");
    return 0;
}

const CommandRegistration registration({kName, "",
                                        "run a menu command of the plug-in on a document", kHelp,
                                        Run});

}  // namespace
}  // namespace tarnik::cli
