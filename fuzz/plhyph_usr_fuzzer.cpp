// The user's hyphenation exceptions: any file is read, or kept aside as damaged
// with a fresh list in its place; its entries are listed. An exception added is
// found once the saved file is read again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz/fuzz_files.h"
#include "hyphenation/hyph_dict.h"
#include "hyphenation/user_exceptions.h"

namespace {

[[noreturn]] void Broken(const char* what, const std::string& word) {
    std::fprintf(stderr, "%s: \"%s\"\n", what, word.c_str());
    std::abort();
}

std::string WithoutHyphens(std::string word) {
    std::erase(word, '-');
    return word;
}

// A dictionary opened from the bundled data, with its seed list as the user list.
std::unique_ptr<tarnik::HyphDict> Opened() {
    std::unique_ptr<tarnik::HyphDict> dict;
    if (tarnik::OpenHyphDict(TARNIK_SOURCE_DIR "/data/PLHYPH.DAT", dict) != 0)
        std::abort();
    return dict;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Each run in a folder of its own, so that backups of damaged files never pile up.
    std::string folder = fuzz::ScratchFolder() + "/usr";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directory(folder);
    std::string path = fuzz::WriteScratch(
        "usr/PLHYPH.USR", std::string_view(reinterpret_cast<const char*>(data), size));
    static const std::unique_ptr<tarnik::HyphDict> fresh = Opened();
    auto dict = std::make_unique<tarnik::HyphDict>(*fresh);
    tarnik::LoadUserExceptions(*dict, path);

    // A damaged file's entries may hold codes no word maps to, so they are only listed.
    std::string entry;
    for (int n = 0; n < 100000 && tarnik::NextHyphException(*dict, entry, n == 0); ++n) {
    }
    const std::string added = "pa-ra-sol-ka";
    if (tarnik::AddHyphException(*dict, added) == 0) {
        auto again = std::make_unique<tarnik::HyphDict>(*fresh);
        if (tarnik::LoadUserExceptions(*again, path) != 0 ||
            !tarnik::IsHyphException(*again, WithoutHyphens(added))) {
            Broken("an added exception is not in the saved file", added);
        }
        tarnik::RemoveHyphException(*dict, "parasolka");
    }
    return 0;
}
