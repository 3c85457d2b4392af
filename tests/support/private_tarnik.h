// The built tarnik program copied into a folder of a test's own, with an XTensions
// folder beside it: the plug-in module copied (the plug-in takes the folder of the
// module file itself as its own), the bundled data files linked. Run from there,
// the program and the plug-in keep everything they write (user.dic, PLHYPH.USR, the
// settings, the log beside the program) inside the test's folder, never in the
// build folder, and tests running at once never share those files.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// Places the copy in `folder`/.tarnik and returns the program's path.
inline std::string PrivateTarnik(const std::filesystem::path& folder) {
    namespace fs = std::filesystem;
    const fs::path built = TARNIK_BIN_DIR;
    const fs::path place = folder / ".tarnik";
    fs::create_directories(place / "XTensions");
    fs::copy_file(built / "tarnik", place / "tarnik", fs::copy_options::overwrite_existing);
    fs::copy_file(built / "XTensions" / "Tarnik11.so", place / "XTensions" / "Tarnik11.so",
                  fs::copy_options::overwrite_existing);
    for (const char* data : {"son.dic", "PLHYPH.DAT"}) {
        if (!fs::exists(place / "XTensions" / data))
            fs::create_symlink(built / "XTensions" / data, place / "XTensions" / data);
    }
    return (place / "tarnik").string();
}

}  // namespace testsupport
