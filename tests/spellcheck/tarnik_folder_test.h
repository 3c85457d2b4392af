// A test with a folder of its own holding a private copy of tarnik (see
// private_tarnik.h): the files a test writes and reads lie there, and the folder
// goes when the test ends.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/private_tarnik.h"

namespace tarnik {

class TarnikFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnik-spell-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        tarnik_ = testsupport::PrivateTarnik(folder_);
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    void Write(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path folder_;
    std::string tarnik_;
};

}  // namespace tarnik
