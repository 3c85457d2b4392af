// tarnik typo: typographic correction of plain text, as the plug-in makes it in a
// text box: the text becomes the story of one box in a new document, with a caret
// at its start, and the command behind "Typography In Box" runs on it.
//
// The plug-in's typography code is linked in and reaches the host through its
// HostApi, connected as at activation; the shell is not started, so the settings
// come from --settings FILE alone (or are the defaults), never from the files the
// shell would choose at start-up.
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "charsets/utf8.h"
#include "cli/command.h"
#include "host/memory_host.h"
#include "platform/direct_entry.h"
#include "platform/settings_store.h"
#include "typography/typography_command.h"

namespace tarnik::cli {
namespace {

constexpr char kName[] = "typo";

constexpr char kHelp[] =
    "Usage: tarnik typo [--settings FILE] [FILE]\n\n"
    "Corrects the typography of Polish text: quotation marks, dashes, repeated\n"
    "spaces, spaces around punctuation and brackets, and no-break spaces after\n"
    "short words, between numbers and units and before numbers. Reads UTF-8 text\n"
    "from FILE or standard input and writes the corrected text to standard output;\n"
    "a space that must not break a line is written as U+00A0 (no-break space).\n\n"
    "  --settings FILE  the settings file (section [1Typografia], keys as the\n"
    "                   plug-in stores them, e.g. 23ZgadnijCudzyslow=1); without it\n"
    "                   the default settings hold\n\n"
    "Exit status: 0 when the whole text was corrected; 2 when the run stopped at a\n"
    "quotation mark it cannot place (the message goes to standard error, the text\n"
    "is written as far as it was corrected), or on bad usage or unreadable input.\n";

constexpr char16_t kNoBreakSpace = u'\u00A0';

bool ReadAll(std::istream& in, std::string& text) {
    text.assign(std::istreambuf_iterator<char>(in), {});
    return !in.bad();
}

// The story with every space that carries the no-break mark as U+00A0.
std::string StoryText(const host::Story& story) {
    std::u16string text = story.Text();
    for (int32_t i = 0; i < story.Length(); ++i) {
        if (text[size_t(i)] == u' ' && (story.StyleAt(i) & XT_STYLE_NO_BREAK))
            text[size_t(i)] = kNoBreakSpace;
    }
    return Utf16ToUtf8(text);
}

// "line L, column C" of a story position, both from 1.
std::string Place(const host::Story& story, int32_t position) {
    int line = 1;
    int column = 1;
    for (int32_t i = 0; i < position && i < story.Length(); ++i) {
        char16_t unit = story.UnitAt(i);
        bool crlf = unit == u'\r' && i + 1 < story.Length() && story.UnitAt(i + 1) == u'\n';
        if (host::Story::IsParagraphEnd(unit) && !crlf) {
            ++line;
            column = 1;
        } else if (!host::Story::IsParagraphEnd(unit)) {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

int Run(const std::vector<std::string>& args) {
    std::string settingsFile;
    std::string inputFile;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--settings") {
            if (i + 1 == args.size())
                return UsageError(kName, "--settings needs a file");
            settingsFile = args[++i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return UsageError(kName, "unknown option '" + args[i] + "'");
        } else if (!inputFile.empty()) {
            return UsageError(kName, "one input file at most");
        } else {
            inputFile = args[i];
        }
    }

    std::string utf8;
    if (inputFile.empty() || inputFile == "-") {
        if (!ReadAll(std::cin, utf8))
            return UsageError(kName, "cannot read standard input");
    } else {
        std::ifstream in(inputFile, std::ios::binary);
        if (!in || !ReadAll(in, utf8))
            return UsageError(kName, "cannot read '" + inputFile + "'");
    }
    std::u16string text = Utf8ToUtf16(utf8);
    if (Utf16ToUtf8(text) != utf8) {
        std::cerr << "tarnik " << kName << ": " << (inputFile.empty() ? "the input" : inputFile)
                  << " is not UTF-8 text\n";
        return kUsageError;
    }

    if (!settingsFile.empty()) {
        if (!std::ifstream(settingsFile))
            return UsageError(kName, "cannot read the settings file '" + settingsFile + "'");
        SetStoreTarget(settingsFile.c_str(), nullptr);
    }

    host::MemoryHost memoryHost;
    memoryHost.document = host::OneBoxDocument(text);
    if (memoryHost.Start(DirectEntry) != 0) {
        std::cerr << "tarnik " << kName << ": the host did not start\n";
        return 1;
    }
    TypographyCommand();

    const host::Story& story = memoryHost.document->stories[0];
    std::cout << StoryText(story);
    std::cout.flush();
    if (memoryHost.messages.empty())
        return 0;
    std::cerr << "tarnik " << kName << ": " << Place(story, story.selectionStart) << ": "
              << memoryHost.messages.front().text << "\n";
    return 2;
}

const CommandRegistration registration({kName, "", "correct the typography of Polish text", kHelp,
                                        Run});

}  // namespace
}  // namespace tarnik::cli
