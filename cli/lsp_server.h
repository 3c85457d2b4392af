// tarnik lsp: a language server (the Language Server Protocol, 3.17) over a
// pair of descriptors. It checks the spelling and the typography of the
// documents an editor opens, publishes what it finds as diagnostics, and
// offers their corrections as code actions.
#pragma once

#include <memory>

#include "cli/spelling_options.h"
#include "services/speller.h"

namespace tarnik::cli {

// The commands the server runs through workspace/executeCommand.
inline constexpr char kAddWordCommand[] = "tarnik.addWord";        // [word]
inline constexpr char kIgnoreWordCommand[] = "tarnik.ignoreWord";  // [uri, word]

// Serves the client on `in` and `out` until it says exit (the status: 0 after
// a shutdown, 1 without) or goes away (1). `speller` is open as `options` say;
// the plug-in runs, started with its typography component, for the
// typographic checks. The client's settings reopen the speller with their
// dictionary keys laid over `options`.
int RunLanguageServer(int in, int out, const SpellingOptions& options,
                      std::unique_ptr<services::Speller> speller);

}  // namespace tarnik::cli
