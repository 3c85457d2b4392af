#include "fixture_dictionary.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "charsets/utf8.h"

namespace tarnik::testing {

using tools::InflectionClass;
using tools::SpecialListKind;

std::string Cp(std::string_view utf8) {
    return Utf8ToCp1250(utf8);
}

tools::Letters L(std::string_view utf8) {
    return tools::ToLetters(Cp(utf8));
}

tools::MainDictionaryWriter FixtureWriter() {
    const InflectionClass noun{2, 1}, fem{3, 1}, neuter{4, 1}, koz{5, 1};
    tools::MainDictionaryWriter writer;
    for (const char* ending : {"", "a", "em", "y"})
        writer.AddEnding(noun, L(ending));
    for (const char* ending : {"a", "i", "y", "ę", "ą"})
        writer.AddEnding(fem, L(ending));
    for (const char* ending : {"e", "a", "u"})
        writer.AddEnding(neuter, L(ending));
    for (const char* ending : {"za", "zy", "zą"})
        writer.AddEnding(koz, L(ending));
    for (const char* stem : {"kot", "dom", "chleb", "e-mail", "kozioł"})
        writer.AddStem(L(stem), noun);
    for (const char* stem : {"rzek", "książk"})
        writer.AddStem(L(stem), fem);
    for (const char* stem : {"morz", "moż"})
        writer.AddStem(L(stem), neuter);
    writer.AddStem(L("ko"), koz);
    writer.AddNodePrefix(L("koz"));
    for (const char* word : {"np", "itd", "ok"})
        writer.AddSpecialWord(SpecialListKind::kAlwaysAccepted, L(word));
    for (const char* word : {"Warszawa", "PKP", "Kraków"})
        writer.AddSpecialWord(SpecialListKind::kCapitals, L(word));
    for (const char* word : {"tzw", "ul", "dr"})
        writer.AddSpecialWord(SpecialListKind::kAbbreviations, L(word));
    return writer;
}

void WriteFixtureDictionary(const std::string& path) {
    FixtureWriter().Write(path);
}

tools::Bytes ReadFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return tools::Bytes(std::istreambuf_iterator<char>(file), {});
}

void WriteFile(const std::string& path, const tools::Bytes& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tarnik::testing
