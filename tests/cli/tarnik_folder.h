// A temporary folder of the test's own with a private copy of the built tarnik
// (see private_tarnik.h), and tarnik run in it as a user runs it: the arguments
// as shell words, the input on standard input. Whatever the program writes stays
// in the folder, which goes with the test.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "tests/support/private_tarnik.h"

namespace clitest {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

class TarnikFolder : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnik-cli-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        tarnik_ = testsupport::PrivateTarnik(folder_);
    }
    void TearDown() override {
        std::error_code error;
        std::filesystem::remove_all(folder_, error);
    }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    // The folder of the data files: son.dic, PLHYPH.DAT.
    std::string DataFolder() const { return Path(".tarnik/XTensions"); }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    // Runs `tarnik ARGUMENTS` in the folder with `input` on standard input.
    Outcome Run(const std::string& arguments, const std::string& input = "") const {
        Write(".stdin", input);
        std::string command = "cd '" + folder_.string() + "' && XDG_DATA_HOME='" + Path(".xdg") +
                              "' '" + tarnik_ + "' " + arguments + " <.stdin >.stdout 2>.stderr";
        int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, Read(".stdout"), Read(".stderr")};
    }

  private:
    std::filesystem::path folder_;
    std::string tarnik_;
};

}  // namespace clitest
