// The built `tarnik lsp` run as an editor runs it, on a pair of pipes, with a
// user dictionary and a per-user folder in a temporary folder of the test's
// own. Messages go out framed; what comes back is read message by message.
#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "cli/lsp_transport.h"
#include "tests/support/temp_folder.h"

namespace clitest {

using Json = nlohmann::json;

class LspClient : public ::testing::Test {
  protected:
    void TearDown() override {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        close(in_);
        close(out_);
    }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }

    // Starts the server with `arguments` after "lsp --user FOLDER/user.dic".
    void Start(const std::vector<std::string>& arguments = {}) {
        int toServer[2];
        int fromServer[2];
        ASSERT_EQ(pipe(toServer), 0);
        ASSERT_EQ(pipe(fromServer), 0);
        std::string program = std::string(TARNIK_BIN_DIR) + "/tarnik";
        std::string user = Path("user.dic");
        std::string xdg = Path("xdg");
        pid_ = fork();
        ASSERT_GE(pid_, 0);
        if (pid_ == 0) {
            dup2(toServer[0], 0);
            dup2(fromServer[1], 1);
            for (int fd : {toServer[0], toServer[1], fromServer[0], fromServer[1]})
                close(fd);
            setenv("XDG_DATA_HOME", xdg.c_str(), 1);
            std::vector<std::string> words = {program, "lsp", "--user", user};
            words.insert(words.end(), arguments.begin(), arguments.end());
            std::vector<char*> argv;
            for (std::string& word : words)
                argv.push_back(word.data());
            argv.push_back(nullptr);
            execv(program.c_str(), argv.data());
            _exit(127);
        }
        close(toServer[0]);
        close(fromServer[1]);
        in_ = toServer[1];
        out_ = fromServer[0];
        signal(SIGPIPE, SIG_IGN);
        reader_.emplace(out_);
    }

    void SendRaw(const std::string& bytes) {
        ASSERT_EQ(write(in_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    void Send(const Json& message) {
        std::string body = message.dump();
        SendRaw("Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
    }
    void Request(int id, const std::string& method, const Json& params = Json::object()) {
        Send({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", params}});
    }
    void Notify(const std::string& method, const Json& params = Json::object()) {
        Send({{"jsonrpc", "2.0"}, {"method", method}, {"params", params}});
    }

    // The next message, or null when none comes within `timeoutMs`.
    Json Receive(int timeoutMs = 10000) {
        tarnik::cli::LspFrame frame;
        if (reader_->Next(timeoutMs, frame) != tarnik::cli::LspReader::Status::kFrame)
            return nullptr;
        EXPECT_TRUE(frame.problem.empty()) << frame.problem;
        return Json::parse(frame.body);
    }
    // Messages until one `wanted` says is it; null when none comes in time.
    Json ReceiveUntil(const std::function<bool(const Json&)>& wanted, int timeoutMs = 10000) {
        for (Json message = Receive(timeoutMs); !message.is_null(); message = Receive(timeoutMs)) {
            if (wanted(message))
                return message;
        }
        return nullptr;
    }
    Json Answer(int id) {
        return ReceiveUntil([id](const Json& m) { return m.contains("id") && m["id"] == id; });
    }
    // The next diagnostics published for `uri`.
    Json Diagnostics(const std::string& uri) {
        Json message = ReceiveUntil([&](const Json& m) {
            return m.value("method", "") == "textDocument/publishDiagnostics" &&
                   m["params"]["uri"] == uri;
        });
        return message.is_null() ? message : message["params"]["diagnostics"];
    }

    // initialize, with `options` and the client's capabilities, then initialized.
    Json Initialize(const Json& options = Json::object(),
                    const Json& capabilities = Json::object()) {
        Request(1, "initialize",
                {{"processId", nullptr},
                 {"capabilities", capabilities},
                 {"initializationOptions", options}});
        Json answer = Answer(1);
        Notify("initialized");
        return answer;
    }
    void OpenDocument(const std::string& uri, const std::string& text,
                      const std::string& language = "markdown") {
        Notify("textDocument/didOpen",
               {{"textDocument",
                 {{"uri", uri}, {"languageId", language}, {"version", 1}, {"text", text}}}});
    }

    // The exit status, once the server ends (-1 if it does not within 10 s).
    int Status() {
        for (int tries = 0; tries < 1000; ++tries) {
            int raw = 0;
            if (waitpid(pid_, &raw, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
            }
            usleep(10000);
        }
        return -1;
    }
    void CloseInput() {
        close(in_);
        in_ = -1;
    }

  private:
    testsupport::TempFolder temp_;
    std::filesystem::path folder_ = temp_.Path();
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    std::optional<tarnik::cli::LspReader> reader_;
};

// A diagnostic's range as [line, start character, line, end character].
inline std::vector<int> RangeOf(const Json& diagnostic) {
    const Json& range = diagnostic["range"];
    return {range["start"]["line"].get<int>(), range["start"]["character"].get<int>(),
            range["end"]["line"].get<int>(), range["end"]["character"].get<int>()};
}

}  // namespace clitest
