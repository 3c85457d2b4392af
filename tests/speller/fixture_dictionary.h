// A small dictionary written at test time, and helpers around it.
//
//   class   endings            stems
//   noun    "" a em y          kot dom chleb e-mail kozioł
//   fem     a i y ę ą          rzek książk
//   neuter  e a u              morz moż
//   koz     za zy zą           ko        (an empty stem of node "ko")
//   nodes: k, ko, koz, and one per first letter; kozioł lies in the block of
//   koz, kot in that of ko.
//   always accepted: np itd ok; capitals: Warszawa PKP Kraków; abbreviations:
//   tzw ul dr.
#pragma once

#include <string>
#include <string_view>

#include "tests/support/temp_folder.h"
#include "tools/container/main_dictionary_writer.h"

namespace tarnik::testing {

// UTF-8 to cp1250 (the speller's text), and letter codes of a UTF-8 word.
std::string Cp(std::string_view utf8);
tools::Letters L(std::string_view utf8);

using TempDir = ::testsupport::TempFolder;

// The fixture dictionary's description; tests may add to it.
tools::MainDictionaryWriter FixtureWriter();

// Writes the fixture dictionary to `path`.
void WriteFixtureDictionary(const std::string& path);

// Reads and writes whole files.
tools::Bytes ReadFile(const std::string& path);
void WriteFile(const std::string& path, const tools::Bytes& bytes);

}  // namespace tarnik::testing
