// tarnik lsp: the language server, for code editors.
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/lsp_server.h"
#include "cli/spelling_options.h"
#include "cli/text_file_run.h"
#include "cli/text_input.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "lsp";

const std::string kHelp =
    std::string(
        "Usage: tarnik lsp [OPTIONS]\n\n"
        "A language server (the Language Server Protocol, 3.17) on standard input and\n"
        "output, for code editors: it checks the spelling and the typography of the\n"
        "Polish documents the editor opens (plain text, Markdown, LaTeX, HTML), reports\n"
        "misspelt words and typographic faults as diagnostics, and offers suggestions,\n"
        "adding to the user dictionary and typographic corrections as code actions.\n"
        "The markup is told by the document's language; the editor's settings (the\n"
        "keys of \"1Slownik\", the typography rules by the names of tarnik typo) may\n"
        "change the options below. See docs/editors.md.\n\n"
        "Options:\n") +
    kSpellingOptionsHelp +
    "\nThe markup options (-t, -H, -n, -o, --format) change nothing here: each\n"
    "document's language tells its markup. Exit status: 0 after the editor's\n"
    "shutdown and exit, 1 when it exits without a shutdown or goes away, 2 when\n"
    "the dictionaries or the plug-in cannot be opened.\n";

int Run(const std::vector<std::string>& args) {
    SpellingOptions options;
    auto speller = std::make_unique<services::Speller>();
    if (std::optional<int> status = StartSpelling(kName, args, false, options, *speller))
        return *status;
    // The typography engine works in the plug-in, on a one-box document of its own.
    TextFileRun typography;
    TextRunOptions run;
    run.xtensionsDir = options.dataDir;
    run.components = kTypographyComponent;
    std::string error;
    if (!typography.Start(u"", run, nullptr, error))
        return ReportError(kName, "", error);
    return RunLanguageServer(STDIN_FILENO, STDOUT_FILENO, options, std::move(speller));
}

const CommandRegistration registration({kName, "",
                                        "a language server for code editors (spelling and "
                                        "typography)",
                                        kHelp, Run});

}  // namespace
}  // namespace tarnik::cli
