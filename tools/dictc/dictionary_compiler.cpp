#include "tools/dictc/dictionary_compiler.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "charsets/utf8.h"
#include "speller/letter_code.h"
#include "tools/container/container_writer.h"
#include "tools/dictc/affix_rules.h"
#include "tools/dictc/expansion.h"
#include "tools/dictc/form_kind.h"
#include "tools/dictc/prefix_tree.h"
#include "tools/dictc/word_lists.h"

namespace tarnik::tools {

namespace {

std::ifstream OpenInput(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    return in;
}

std::string ToUtf8(const std::u32string& text) {
    std::u16string units;
    for (char32_t c : text) {
        if (c > 0xFFFF) {
            units.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(c));
        }
    }
    return Utf16ToUtf8(units);
}

void SortUnique(std::vector<std::string>& words) {
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
}

Codes WithEndMark(const std::string& cp1250) {
    Codes codes = TranslateWord(cp1250);
    codes.push_back(kEndMark);
    return codes;
}

// A word list of small-letter words: UTF-8, one word a line, blank lines skipped.
std::vector<std::string> ReadSmallWordList(const std::string& path) {
    std::ifstream in = OpenInput(path);
    std::vector<std::string> words;
    size_t lineNumber = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty())
            continue;
        std::string word = Utf8ToCp1250(line);
        if (LetterCount(word) != word.size())
            throw std::runtime_error(path + " line " + std::to_string(lineNumber) +
                                     ": a word may hold only Polish letters and hyphens");
        if (word.size() > kMaxWordLetters)
            throw std::runtime_error(path + " line " + std::to_string(lineNumber) +
                                     ": a word longer than " + std::to_string(kMaxWordLetters) +
                                     " letters");
        for (char& c : word)
            c = static_cast<char>(CodeToText(TextToSmallCode(static_cast<uint8_t>(c))));
        words.push_back(word);
    }
    SortUnique(words);
    return words;
}

std::vector<size_t> AddList(ContainerWriter& writer, const char* baseType, const char* checkType,
                            const std::vector<std::string>& words) {
    std::vector<Codes> sequences;
    for (const std::string& word : words)
        sequences.push_back(WithEndMark(word));
    std::vector<size_t> states;
    uint16_t number = 1;
    for (const DoubleArray& array : PackWordList(std::move(sequences))) {
        Bytes bases;
        for (uint16_t base : array.base)
            AppendBig16(bases, base);
        writer.Add(baseType, number, std::move(bases));
        writer.Add(checkType, number, array.check);
        states.push_back(array.check.size());
        ++number;
    }
    return states;
}

}  // namespace

CompiledDictionary CompileDictionary(const CompileOptions& options) {
    std::ifstream affixFile = OpenInput(options.affixPath);
    AffixRules rules = ReadAffixRules(affixFile);
    std::ifstream wordFile = OpenInput(options.wordListPath);
    std::vector<WordEntry> entries = ReadWordList(wordFile, rules.encoding);

    CompiledDictionary result;
    CompileFigures& figures = result.figures;
    figures.entries = entries.size();
    ClassTable classes;
    std::vector<std::pair<Codes, uint32_t>> stems;  // stem, provisional class
    std::string cp1250;
    for (const WordEntry& entry : entries) {
        for (const std::vector<std::u32string>& group : ExpandEntry(rules, entry)) {
            std::vector<Codes> smallForms;
            for (const std::u32string& form : group) {
                ++figures.generatedForms;
                switch (ClassifyForm(form, cp1250)) {
                    case FormKind::kSmall:
                        smallForms.push_back(TranslateWord(cp1250));
                        result.smallForms.push_back(cp1250);
                        break;
                    case FormKind::kCapitalised:
                    case FormKind::kAllCapitals:
                        result.capitalForms.push_back(cp1250);
                        break;
                    case FormKind::kMixed:
                        result.mixedForms.push_back(ToUtf8(form));
                        break;
                    case FormKind::kOutsideAlphabet:
                        result.outsideAlphabet.push_back(ToUtf8(form));
                        break;
                    case FormKind::kTooLong:
                        result.tooLong.push_back(ToUtf8(form));
                        break;
                }
            }
            for (StemSplit& split : SplitIntoStems(std::move(smallForms)))
                stems.emplace_back(std::move(split.stem), classes.Intern(split.endings));
        }
    }
    classes.Finish();
    for (auto* list : {&result.smallForms, &result.capitalForms, &result.mixedForms,
                       &result.outsideAlphabet, &result.tooLong})
        SortUnique(*list);
    if (!options.alwaysAcceptedPath.empty())
        result.alwaysAccepted = ReadSmallWordList(options.alwaysAcceptedPath);
    if (!options.abbreviationsPath.empty())
        result.abbreviations = ReadSmallWordList(options.abbreviationsPath);

    std::vector<StemEntry> stemEntries;
    stemEntries.reserve(stems.size());
    for (auto& [stem, provisional] : stems)
        stemEntries.push_back({std::move(stem), classes.Code(provisional)});
    stems.clear();
    MainDictionaryLayout layout =
        LayOutMainDictionary(std::move(stemEntries), options.maxTableSlots);

    ContainerWriter writer;
    DoubleArray endings = PackDoubleArray(BuildMinimalAutomaton(classes.EndingSequences()));
    Bytes endingBases;
    for (uint16_t base : endings.base)
        AppendBig16(endingBases, base);
    writer.Add("BAZA", 1, std::move(endingBases), "lodmiany");
    writer.Add("BAZA", 2, endings.check, "codmiany");
    figures.alwaysAcceptedStates = AddList(writer, "szli", "szch", result.alwaysAccepted);
    figures.capitalsStates = AddList(writer, "wlli", "wlch", result.capitalForms);
    figures.abbreviationStates = AddList(writer, "skli", "skch", result.abbreviations);

    // The blocks' offsets are absolute, so the data area's place is needed first:
    // it follows the resources, whatever its own size.
    writer.SetDataArea({});
    Bytes probe = writer.Build();
    uint32_t dataAreaOffset =
        static_cast<uint32_t>(probe[8] << 24 | probe[9] << 16 | probe[10] << 8 | probe[11]);
    writer.SetDataArea(layout.DataArea(dataAreaOffset));
    result.file = writer.Build();

    figures.stemEntries = layout.entryCount;
    figures.classes = classes.Count();
    figures.endingStates = endings.check.size();
    figures.nodes = layout.nodeCount;
    figures.tableSlots = layout.table.size();
    figures.blocks = static_cast<size_t>(std::count_if(
        layout.table.begin(), layout.table.end(), [](const PrefixNode& n) { return n.blockSize; }));
    figures.largestBlock = layout.largestBlock;
    figures.blockBytes = layout.blocks.size();
    return result;
}

void PrintReport(const CompiledDictionary& dictionary, std::ostream& out) {
    const CompileFigures& f = dictionary.figures;
    auto states = [](const std::vector<size_t>& pairs) {
        std::string text = std::to_string(pairs.size()) + " pair(s)";
        for (size_t i = 0; i < pairs.size(); ++i)
            text += (i ? ", " : ": ") + std::to_string(pairs[i]);
        return text + (pairs.empty() ? "" : " states");
    };
    out << "Entries: " << f.entries << ", forms generated: " << f.generatedForms << "\n"
        << "Distinct forms by kind:\n"
        << "  small (main dictionary):          " << dictionary.smallForms.size() << "\n"
        << "  capitalised or all capitals:      " << dictionary.capitalForms.size() << "\n"
        << "  mixed case (not stored):          " << dictionary.mixedForms.size() << "\n"
        << "  outside the alphabet (not stored): " << dictionary.outsideAlphabet.size() << "\n"
        << "  too long (not stored):            " << dictionary.tooLong.size() << "\n"
        << "Main dictionary: " << f.stemEntries << " stems, " << f.classes
        << " inflection classes, ending table " << f.endingStates << " states\n"
        << "Prefix nodes: " << f.nodes << " in a table of " << f.tableSlots << " slots; "
        << f.blocks << " word blocks, " << f.blockBytes << " bytes, largest " << f.largestBlock
        << " bytes\n"
        << "Capitals lists: " << states(f.capitalsStates) << "\n"
        << "Always-accepted lists: " << dictionary.alwaysAccepted.size() << " words, "
        << states(f.alwaysAcceptedStates) << "\n"
        << "Abbreviation lists: " << dictionary.abbreviations.size() << " words, "
        << states(f.abbreviationStates) << "\n"
        << "File size: " << dictionary.file.size() << " bytes\n";
    auto list = [&](const char* title, const std::vector<std::string>& words) {
        if (words.empty())
            return;
        out << title << ":\n";
        for (const std::string& word : words)
            out << "  " << word << "\n";
    };
    list("Mixed-case forms (a user dictionary can hold them)", dictionary.mixedForms);
    list("Forms with characters outside the alphabet", dictionary.outsideAlphabet);
    list("Forms too long for the check", dictionary.tooLong);
}

}  // namespace tarnik::tools
