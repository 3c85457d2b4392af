// The tarnik typo command, run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace tarnik {
namespace {

struct Result {
    std::string out;
    int status = -1;
};

class TypoCommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnik-typo-cli-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string File(const std::string& name, const std::string& text) {
        std::string path = (folder_ / name).string();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }

    // Runs `tarnik typo ARGS`, standard error into a file of its own.
    Result Typo(const std::string& args) { return Tarnik("typo " + args); }
    Result Tarnik(const std::string& args) {
        std::string command = "XDG_DATA_HOME=" + folder_.string() + " " +
                              std::string(TARNIK_BIN_DIR) + "/tarnik " + args + " 2>" +
                              (folder_ / "stderr").string();
        Result result;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            result.out.append(buffer, n);
        int status = pclose(pipe);
        result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }
    std::string Errors() {
        std::ifstream in(folder_ / "stderr");
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::filesystem::path folder_;
};

TEST_F(TypoCommandTest, CorrectsTextAndWritesBoundSpacesAsNoBreakSpaces) {
    Result r = Typo(File("in.txt", "Rzekł \"tak\" - w domu , 5 kg\r\nkoniec.\n"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "Rzekł „tak” –\u00A0w\u00A0domu,\u00A05\u00A0kg\r\nkoniec.\n");
    EXPECT_EQ(Errors(), "");
}

TEST_F(TypoCommandTest, ReadsTheSettingsFileAndStandardInput) {
    std::string settings =
        File("s.ini", "[1Typografia]\n23ZgadnijCudzyslow=1\n24CudzyslowSpacja=1\n9Pauza=0\n");
    Result r = Typo("--settings " + settings + " < " + File("in.txt", "powiedz \" tak\" - a"));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "powiedz „tak” —\u00A0a");
}

TEST_F(TypoCommandTest, StopAtAQuotationMarkWritesTheTextAsItStands) {
    Result r = Typo(File("in.txt", "b  c\nd \" e  f"));
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "b c\nd \" e  f");
    EXPECT_EQ(Errors(), "tarnik typo: line 2, column 3: Quotation mark between two spaces\n");
}

TEST_F(TypoCommandTest, BadInputIsRefusedWithAMessage) {
    for (const std::string& args :
         {File("bad.txt",
               "ab\xff"
               "cd"),
          std::string("--settings /nonexistent/s.ini"),
          File("in.txt", "x") + " " + File("in2.txt", "y"), std::string("--bogus")}) {
        Result r = Typo(args + " < /dev/null");
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
        EXPECT_NE(Errors(), "") << args;
    }
}

TEST_F(TypoCommandTest, TheMenuCommandRunsOnDocumentsThroughTarnikRun) {
    // The plug-in module and its hyphenation data in an XTensions folder of its
    // own, with default settings.
    std::filesystem::path xtensions = folder_ / "XTensions";
    std::filesystem::create_directory(xtensions);
    for (const char* file : {"Tarnik11.so", "PLHYPH.DAT"})
        std::filesystem::copy_file(std::string(TARNIK_BIN_DIR) + "/XTensions/" + file,
                                   xtensions / file);
    std::string document = File("doc.json", R"({"stories": [{"text": "b  \"c\" - d"}],
        "spreads": [{"items": [{"id": "t", "type": "text", "story": 0}]}], "current": "t"})");
    Result r = Tarnik("run " + document + " --command 'Typography In Box' --xtensions " +
                      xtensions.string() + " -o " + (folder_ / "out.json").string());
    ASSERT_EQ(r.status, 0) << Errors();
    std::ifstream in(folder_ / "out.json");
    std::string saved(std::istreambuf_iterator<char>(in), {});
    EXPECT_NE(saved.find("\"text\": \"b „c” – d\""), std::string::npos) << saved;
}

}  // namespace
}  // namespace tarnik
