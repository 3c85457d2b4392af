// tarnik lsp timed from the editor's side: the built program on a pair of
// pipes, a message written, the clock stopped when the diagnostics it causes
// have been read whole (the JSON parsed).
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/lsp_transport.h"
#include "tarnik/file_io.h"
#include "typography/prose_corpus.h"

namespace {

using Json = nlohmann::json;
using Clock = std::chrono::steady_clock;

class Server {
  public:
    Server() {
        int toServer[2];
        int fromServer[2];
        if (pipe(toServer) != 0 || pipe(fromServer) != 0)
            throw std::runtime_error("no pipes");
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tarnik-lsp-bench-XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        std::string program = std::string(TARNIK_BIN_DIR) + "/tarnik";
        std::string user = (folder_ / "user.dic").string();
        pid_ = fork();
        if (pid_ == 0) {
            dup2(toServer[0], 0);
            dup2(fromServer[1], 1);
            for (int fd : {toServer[0], toServer[1], fromServer[0], fromServer[1]})
                close(fd);
            execl(program.c_str(), program.c_str(), "lsp", "--user", user.c_str(), nullptr);
            _exit(127);
        }
        close(toServer[0]);
        close(fromServer[1]);
        in_ = toServer[1];
        reader_ = std::make_unique<tarnik::cli::LspReader>(fromServer[0]);
        out_ = fromServer[0];
        Send({{"jsonrpc", "2.0"},
              {"id", 1},
              {"method", "initialize"},
              {"params",
               {{"processId", nullptr},
                {"capabilities", Json::object()},
                {"initializationOptions", {{"debounce", 0}}}}}});
        Receive();
    }
    ~Server() {
        close(in_);
        close(out_);
        waitpid(pid_, nullptr, 0);
        std::filesystem::remove_all(folder_);
    }

    void Send(const Json& message) { tarnik::cli::WriteLspMessage(in_, message.dump()); }
    Json Receive() {
        tarnik::cli::LspFrame frame;
        if (reader_->Next(60000, frame) != tarnik::cli::LspReader::Status::kFrame)
            throw std::runtime_error("the server did not answer");
        return Json::parse(frame.body);
    }
    // The message of the diagnostics next published for `uri`, read whole but
    // not parsed: the time is the server's, not the JSON reader's.
    std::string Diagnostics(const std::string& uri) {
        const std::string method = "\"method\":\"textDocument/publishDiagnostics\"";
        const std::string about = "\"uri\":" + Json(uri).dump();
        for (;;) {
            tarnik::cli::LspFrame frame;
            if (reader_->Next(60000, frame) != tarnik::cli::LspReader::Status::kFrame)
                throw std::runtime_error("the server did not answer");
            std::string_view head = std::string_view(frame.body).substr(0, 300);
            if (head.find(method) != std::string_view::npos &&
                head.find(about) != std::string_view::npos)
                return frame.body;
        }
    }

  private:
    std::filesystem::path folder_;
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    std::unique_ptr<tarnik::cli::LspReader> reader_;
};

Json Open(const std::string& uri, const std::string& text) {
    return {{"jsonrpc", "2.0"},
            {"method", "textDocument/didOpen"},
            {"params",
             {{"textDocument",
               {{"uri", uri}, {"languageId", "markdown"}, {"version", 1}, {"text", text}}}}}};
}

void FirstDiagnostics(benchmark::State& state) {
    const std::string text = TheCorpus().Text(1);
    Server server;
    int n = 0;
    size_t found = 0;
    double whole = 0;  // seconds until the typography's diagnostics too
    for (auto _ : state) {
        std::string uri = "file:///bench/" + std::to_string(++n) + ".md";
        Json open = Open(uri, text);
        Clock::time_point start = Clock::now();
        server.Send(open);
        std::string published = server.Diagnostics(uri);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        // The typography's, after the spelling's.
        server.Diagnostics(uri);
        whole += std::chrono::duration<double>(Clock::now() - start).count();
        found = Json::parse(published)["params"]["diagnostics"].size();
        server.Send({{"jsonrpc", "2.0"},
                     {"method", "textDocument/didClose"},
                     {"params", {{"textDocument", {{"uri", uri}}}}}});
        server.Diagnostics(uri);
    }
    state.counters["diagnostics"] = static_cast<double>(found);
    state.counters["all_ms"] = whole * 1000 / static_cast<double>(n);
}

void EditDiagnostics(benchmark::State& state) {
    const std::string text = TheCorpus().Text(1);
    Server server;
    const std::string uri = "file:///bench/edited.md";
    server.Send(Open(uri, text));
    server.Diagnostics(uri);
    server.Diagnostics(uri);
    // A word typed in the middle of the document and taken out again, in turn.
    int line = 12000;
    int version = 1;
    size_t found = 0;
    for (auto _ : state) {
        bool typing = version % 2 == 1;
        Json range = {{"start", {{"line", line}, {"character", 0}}},
                      {"end", {{"line", line}, {"character", typing ? 0 : 7}}}};
        Json change = {
            {"jsonrpc", "2.0"},
            {"method", "textDocument/didChange"},
            {"params",
             {{"textDocument", {{"uri", uri}, {"version", ++version}}},
              {"contentChanges", {{{"range", range}, {"text", typing ? "kotta, " : ""}}}}}}};
        Clock::time_point start = Clock::now();
        server.Send(change);
        std::string published = server.Diagnostics(uri);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        found = Json::parse(published)["params"]["diagnostics"].size();
    }
    state.counters["diagnostics"] = static_cast<double>(found);
}

BENCHMARK(FirstDiagnostics)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(EditDiagnostics)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(40);

}  // namespace

BENCHMARK_MAIN();
