#include "tools/dictc/dictionary_compiler.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "charsets/utf8.h"
#include "files/byte_order.h"
#include "speller/letter_code.h"
#include "speller/main_dictionary.h"
#include "tools/container/byte_order.h"
#include "tools/container/main_dictionary_writer.h"
#include "tools/dictc/affix_rules.h"
#include "tools/dictc/expansion.h"
#include "tools/dictc/form_kind.h"
#include "tools/dictc/prefix_tree.h"

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

uint32_t Big32(const Bytes& file, size_t at) {
    return at + 4 <= file.size() ? ReadBig32(file.data() + at) : 0;
}

// The figures of the report, read back from the written bytes.
void MeasureFile(const Bytes& file, CompileFigures& figures) {
    constexpr size_t kSlot = 34;
    for (size_t at = 12; at + kSlot <= Big32(file, 0) && Big32(file, at + 8) != 0; at += kSlot) {
        std::string type(file.begin() + static_cast<ptrdiff_t>(at),
                         file.begin() + static_cast<ptrdiff_t>(at + 4));
        size_t size = Big32(file, at + 4);
        if (type == "BAZA" && file[at + 14] == 8 &&
            std::equal(file.begin() + static_cast<ptrdiff_t>(at + 15),
                       file.begin() + static_cast<ptrdiff_t>(at + 23), "codmiany"))
            figures.endingStates = size;
        else if (type == "szch")
            figures.alwaysAcceptedStates.push_back(size);
        else if (type == "wlch")
            figures.capitalsStates.push_back(size);
        else if (type == "skch")
            figures.abbreviationStates.push_back(size);
    }
    size_t dataArea = Big32(file, 8);
    figures.tableSlots = Big32(file, dataArea + 4);
    for (size_t slot = 0; slot < figures.tableSlots; ++slot) {
        size_t node = dataArea + 8 + slot * 16;
        size_t blockSize = Big32(file, node + 6);
        figures.nodes += node + 14 < file.size() && file[node + 14] != 0;
        figures.blocks += blockSize != 0;
        figures.blockBytes += blockSize;
        figures.largestBlock = std::max(figures.largestBlock, blockSize);
    }
}

}  // namespace

CompiledDictionary CompileDictionary(const CompileOptions& options) {
    std::ifstream affixFile = OpenInput(options.affixPath);
    AffixRules rules = ReadAffixRules(affixFile);
    std::ifstream wordFile = OpenInput(options.wordListPath);
    std::vector<WordEntry> entries = ReadWordList(wordFile, rules.encoding);

    CompiledDictionary result;
    for (const Replacement& pair : rules.replacements)
        result.replacements.emplace_back(ToUtf8(pair.from), ToUtf8(pair.to));
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

    std::sort(stems.begin(), stems.end(), [](const auto& a, const auto& b) {
        return ByteOrder{}(a.first, b.first) || (a.first == b.first && a.second < b.second);
    });
    stems.erase(std::unique(stems.begin(), stems.end()), stems.end());
    figures.stemEntries = stems.size();
    std::vector<Codes> stemsOnly;
    for (const auto& [stem, provisional] : stems)
        stemsOnly.push_back(stem);
    std::vector<Codes> prefixes = ChooseNodePrefixes(std::move(stemsOnly), options.maxNodes);

    // The chosen nodes keep every block far below the limit, so the writer adds
    // none of its own. Should they not fit the table after all, fewer are taken.
    auto build = [&](size_t nodeCount) {
        MainDictionaryWriter writer;
        writer.SetBlockTarget(kMaxWordBlockSize);
        for (const auto& [stem, provisional] : stems) {
            ClassCode code = classes.Code(provisional);
            writer.AddStem(stem, {code.first, code.second});
        }
        for (uint32_t provisional = 0; provisional < classes.Count(); ++provisional) {
            ClassCode code = classes.Code(provisional);
            for (const Codes& ending : classes.Endings(provisional))
                writer.AddEnding({code.first, code.second}, ending);
        }
        for (const std::string& word : result.alwaysAccepted)
            writer.AddSpecialWord(SpecialListKind::kAlwaysAccepted, TranslateWord(word));
        for (const std::string& word : result.capitalForms)
            writer.AddSpecialWord(SpecialListKind::kCapitals, TranslateWord(word));
        for (const std::string& word : result.abbreviations)
            writer.AddSpecialWord(SpecialListKind::kAbbreviations, TranslateWord(word));
        for (size_t k = 0; k < nodeCount && k < prefixes.size(); ++k)
            writer.AddNodePrefix(prefixes[k]);
        return writer.Build();
    };
    for (size_t nodeCount = prefixes.size(), attempt = 1;; nodeCount -= nodeCount / 32, ++attempt) {
        try {
            result.file = build(nodeCount);
            break;
        } catch (const std::length_error&) {
            if (attempt == 4)
                throw;
        }
    }
    MeasureFile(result.file, figures);
    figures.classes = classes.Count();
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
