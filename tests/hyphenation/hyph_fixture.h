// Small hyphenation data files built at test time with the pattern compiler.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "hyphenation/hyph_dict.h"
#include "tools/hyphc/hyph_data_compiler.h"

namespace tarnik::test {

// A fresh empty folder for one test.
inline std::filesystem::path TestFolder() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    std::filesystem::path folder = std::filesystem::path(testing::TempDir()) / "tarnik_hyph" / name;
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

inline void WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Patterns in ISO 8859-2 (the first line is added); word lists in UTF-8.
inline std::vector<uint8_t> CompileData(const std::string& patterns,
                                        const std::string& exceptions = "",
                                        const std::string& seed = "") {
    std::istringstream p("ISO8859-2\n" + patterns), e(exceptions), s(seed);
    return tools::CompileHyphData(p, &e, &s).container;
}

// Opens a dictionary compiled from the arguments, written into `folder`.
inline std::unique_ptr<HyphDict> OpenData(const std::filesystem::path& folder,
                                          const std::string& patterns,
                                          const std::string& exceptions = "",
                                          const std::string& seed = "") {
    std::filesystem::path path = folder / "PLHYPH.DAT";
    WriteFile(path, CompileData(patterns, exceptions, seed));
    std::unique_ptr<HyphDict> dict;
    EXPECT_EQ(OpenHyphDict(path.string(), dict), 0);
    return dict;
}

}  // namespace tarnik::test
