// A fresh folder under the system's temporary folder, removed with its files at
// the end of the test, and the small source files the tests compile.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace tarnik::tools::testing {

class TempFolder {
  public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "dictc-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }

    // Writes `contents` to the file `name` in the folder; returns its path.
    std::string Write(const std::string& name, const std::string& contents) const {
        std::string file = (path_ / name).string();
        std::ofstream(file, std::ios::binary) << contents;
        return file;
    }
    std::string Path(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

}  // namespace tarnik::tools::testing
