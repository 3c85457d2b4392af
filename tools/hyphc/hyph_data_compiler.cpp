#include "tools/hyphc/hyph_data_compiler.h"

#include <stdexcept>

#include "charsets/utf8.h"
#include "hyphenation/exception_list.h"
#include "hyphenation/hyph_dict.h"
#include "tools/container/container_writer.h"
#include "tools/hyphc/char_maps.h"
#include "tools/hyphc/pattern_trie.h"

namespace tarnik::tools {
namespace {

std::vector<uint8_t> ReadWordList(std::istream& in, const std::string& source, const CharMaps& maps,
                                  std::vector<std::string>& warnings) {
    std::vector<uint8_t> list = {0};
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        ++lineNumber;
        size_t first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '%' || line[first] == '#')
            continue;
        std::string word = line.substr(first, line.find_last_not_of(" \t\r") - first + 1);
        std::string where = source + " line " + std::to_string(lineNumber) + ": ";
        switch (InsertInList(list, ParseHyphenatedWord(maps.input, Utf8ToCp1250(word)))) {
            case ListInsert::kAdded:
                break;
            case ListInsert::kPresent:
                warnings.push_back(where + "'" + word + "' listed before; the first one counts");
                break;
            case ListInsert::kTooLong:
                throw std::runtime_error(where + "'" + word +
                                         "' cannot be stored (no letters, more than 49 breaks, or "
                                         "over 251 letters and breaks)");
        }
    }
    return list;
}

}  // namespace

CompiledHyphData CompileHyphData(std::istream& patterns, std::istream* exceptions,
                                 std::istream* seed) {
    CompiledHyphData result;
    PatternFile file;
    try {
        file = ReadPatternFile(patterns);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(std::string("patterns ") + e.what());
    }
    result.warnings = file.warnings;
    CharMaps maps = BuildCharMaps(file.encoding);
    PackedTrie trie = PackPatterns(file.patterns);
    std::vector<uint8_t> empty = {0};
    std::vector<uint8_t> builtIn =
        exceptions ? ReadWordList(*exceptions, "exceptions", maps, result.warnings) : empty;
    std::vector<uint8_t> seedList =
        seed ? ReadWordList(*seed, "seed", maps, result.warnings) : empty;

    ContainerWriter writer;
    writer.Add(kHyphResourceType, 100, std::move(trie.nodes));
    writer.Add(kHyphResourceType, 101, std::move(trie.outputs));
    writer.Add(kHyphResourceType, 102, {maps.input.begin(), maps.input.end()});
    writer.Add(kHyphResourceType, 103, std::move(builtIn));
    writer.Add(kHyphResourceType, 104, std::move(seedList));
    writer.Add(kHyphResourceType, 105, {maps.output.begin(), maps.output.end()});
    result.container = writer.Build();
    return result;
}

}  // namespace tarnik::tools
