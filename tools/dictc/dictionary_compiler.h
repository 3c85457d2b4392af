// The dictionary compiler: a hunspell affix file and word list in, the bytes of
// a main dictionary ("son.dic") out.
//
// Every entry is expanded into its forms, and each form goes where the word check
// will look for it: small words into stems, inflection classes and word blocks;
// capitalised and all-capitals words into the capitals lists. Mixed-case words
// ("McDonald"), words with characters outside the Polish alphabet and words too
// long for the check cannot be stored; they are counted and listed. Optional
// word lists (UTF-8, one word a line) fill the always-accepted and abbreviation
// lists, in small letters. The same input always gives the same bytes.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace tarnik::tools {

struct CompileOptions {
    std::string affixPath;
    std::string wordListPath;
    std::string alwaysAcceptedPath;  // optional
    std::string abbreviationsPath;   // optional
    // How many prefix nodes to choose. The table's 4095 slots hold about 4000
    // (the slots below the first small letter stay empty); fewer nodes make
    // larger blocks, which tests use to reach every path of the lookup.
    size_t maxNodes = 4000;
};

struct CompileFigures {
    size_t entries = 0;
    size_t generatedForms = 0;
    size_t stemEntries = 0;
    size_t classes = 0;
    size_t endingStates = 0;
    size_t nodes = 0;
    size_t tableSlots = 0;
    size_t blocks = 0;
    size_t largestBlock = 0;
    size_t blockBytes = 0;
    std::vector<size_t> capitalsStates;  // per pair
    std::vector<size_t> alwaysAcceptedStates;
    std::vector<size_t> abbreviationStates;
};

struct CompiledDictionary {
    std::vector<uint8_t> file;
    // What was stored, as Windows-1250 text, each list sorted and unique.
    std::vector<std::string> smallForms;
    std::vector<std::string> capitalForms;  // capitalised and all capitals
    std::vector<std::string> alwaysAccepted;
    std::vector<std::string> abbreviations;
    // What could not be stored, as UTF-8, sorted and unique.
    std::vector<std::string> mixedForms;
    std::vector<std::string> outsideAlphabet;
    std::vector<std::string> tooLong;
    // The affix file's REP pairs, UTF-8, in its order (an underscore for a space).
    std::vector<std::pair<std::string, std::string>> replacements;
    CompileFigures figures;
};

// Throws std::runtime_error (or a std::logic_error from the layout when a limit
// of the file format is passed) with a message for the user.
CompiledDictionary CompileDictionary(const CompileOptions& options);

// Forms by kind, nodes, blocks, classes, table and list states, file size, and
// the forms that could not be stored.
void PrintReport(const CompiledDictionary& dictionary, std::ostream& out);

}  // namespace tarnik::tools
