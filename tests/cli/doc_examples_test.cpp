// The examples of the documentation run as they are written: every session in
// docs/*.md (an indented block whose lines start with "$ ") and in the manual
// page's EXAMPLES is run, command by command, and what the command prints must
// be what the page shows. All pages share one folder, in the order read, so a
// file one example makes is there for the next (the manual page uses the
// rozdzial.tex that docs/spelling.md makes).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/tarnik_folder.h"

namespace {

struct Example {
    std::string page;
    int line = 0;
    std::string command;
    std::string expected;
};

// Examples shown as sessions that cannot run as written: an interactive
// terminal session, and commands on files the reader is to supply.
const char* const kNotRunnable[] = {
    "tarnik check notatki.txt",
    "cat notatki.txt",
    "tarnik menus story.json",
    "tarnik run story.json",
    "tarnik hyphenate --settings my.ini notes.txt",
    "tarnik -d en_US -a",
};

bool Runnable(const std::string& command) {
    return std::none_of(std::begin(kNotRunnable), std::end(kNotRunnable),
                        [&](const char* prefix) { return command.rfind(prefix, 0) == 0; });
}

std::string TrimTrailingNewlines(std::string text) {
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

// The sessions of a page, given as lines without their indentation: a line
// that starts with "$ " (and its continuation lines ending in a backslash) is a
// command; the lines after it, up to the next command or the end of the
// block, are what it prints.
void AddSessions(const std::string& page, const std::vector<std::string>& lines,
                 const std::vector<int>& numbers, std::vector<Example>& out) {
    Example* open = nullptr;
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& text = lines[i];
        if (text.rfind("$ ", 0) == 0) {
            if (open)
                open->expected = TrimTrailingNewlines(open->expected);
            out.push_back({page, numbers[i], text.substr(2), ""});
            open = &out.back();
            while (!open->command.empty() && open->command.back() == '\\' && i + 1 < lines.size())
                open->command += "\n" + lines[++i];
        } else if (open) {
            open->expected += text + "\n";
        }
    }
    if (open)
        open->expected = TrimTrailingNewlines(open->expected);
}

std::vector<Example> MarkdownExamples(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<std::string> all;
    for (std::string line; std::getline(in, line);)
        all.push_back(line);
    std::vector<Example> examples;
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].rfind("    $ ", 0) != 0)
            continue;
        // The indented block: indented lines, and blank lines followed by one.
        std::vector<std::string> block;
        std::vector<int> numbers;
        size_t j = i;
        while (j < all.size()) {
            if (all[j].rfind("    ", 0) == 0) {
                block.push_back(all[j].substr(4));
            } else if (all[j].empty() && j + 1 < all.size() && all[j + 1].rfind("    ", 0) == 0) {
                block.push_back("");
            } else {
                break;
            }
            numbers.push_back(static_cast<int>(j + 1));
            ++j;
        }
        AddSessions(path.filename().string(), block, numbers, examples);
        i = j;
    }
    return examples;
}

// The manual page's EXAMPLES: the .nf block after the section's heading, with
// the page's escapes read. The examples are written for bash (printf '\xb1').
std::vector<Example> ManualExamples(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<std::string> block;
    std::vector<int> numbers;
    bool inSection = false, inBlock = false;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.rfind(".SH", 0) == 0)
            inSection = line == ".SH EXAMPLES";
        else if (inSection && line == ".nf")
            inBlock = true;
        else if (inSection && line == ".fi")
            inBlock = false;
        else if (inBlock) {
            std::string text;
            for (size_t k = 0; k < line.size(); ++k) {
                if (line[k] == '\\' && k + 1 < line.size() &&
                    (line[k + 1] == '-' || line[k + 1] == 'e')) {
                    text += line[k + 1] == '-' ? '-' : '\\';
                    ++k;
                } else {
                    text += line[k];
                }
            }
            block.push_back(text);
            numbers.push_back(number);
        }
    }
    std::vector<Example> examples;
    AddSessions(path.filename().string(), block, numbers, examples);
    return examples;
}

class DocExamples : public clitest::TarnikFolder {};

TEST_F(DocExamples, EveryRunnableExamplePrintsWhatItsPageShows) {
    namespace fs = std::filesystem;
    const fs::path docs = fs::path(TARNIK_SOURCE_DIR) / "docs";
    std::vector<fs::path> pages;
    for (const auto& entry : fs::directory_iterator(docs)) {
        if (entry.path().extension() == ".md")
            pages.push_back(entry.path());
    }
    std::sort(pages.begin(), pages.end());
    std::vector<Example> examples;
    for (const fs::path& page : pages) {
        std::vector<Example> more = MarkdownExamples(page);
        examples.insert(examples.end(), more.begin(), more.end());
    }
    std::vector<Example> manual = ManualExamples(docs / "tarnik.1");
    examples.insert(examples.end(), manual.begin(), manual.end());
    ASSERT_GT(examples.size(), 20u);

    int run = 0;
    for (const Example& example : examples) {
        if (!Runnable(example.command))
            continue;
        ++run;
        clitest::Outcome outcome = RunScript("exec 2>&1\n" + example.command + "\n");
        EXPECT_EQ(TrimTrailingNewlines(outcome.out), example.expected)
            << example.page << ":" << example.line << ": " << example.command;
    }
    EXPECT_GT(run, 20);
}

}  // namespace
