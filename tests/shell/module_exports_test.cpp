// The built plug-in module shows a host its three entries and nothing else: any
// other exported name could be interposed by a host exporting the same one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdio.h>

#include <set>
#include <sstream>
#include <string>

namespace {

// The names of the module's defined dynamic symbols, as nm lists them
// ("ADDRESS TYPE NAME" a line).
std::set<std::string> DynamicExports(const std::string& module, int& status) {
    std::string command = "nm -D --defined-only '" + module + "' 2>&1";
    std::set<std::string> names;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) {
        status = -1;
        return names;
    }
    std::string output;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    status = pclose(pipe);
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string address, type, name;
        if (fields >> address >> type >> name)
            names.insert(name);
        else
            names.insert(line);  // shows up in the failure message
    }
    return names;
}

TEST(ModuleExports, OnlyTheThreeEntries) {
    int status = 0;
    std::set<std::string> names =
        DynamicExports(std::string(TARNIK_BIN_DIR) + "/XTensions/Tarnik11.so", status);
    ASSERT_EQ(status, 0);
    EXPECT_THAT(names, testing::UnorderedElementsAre("XTActivateCallback", "aa", "bb"));
}

}  // namespace
