#include "cli/text_file_run.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <thread>

#include "cli/command.h"
#include "cli/plugin_session.h"
#include "platform/plugin_folder.h"
#include "platform/settings_store.h"
#include "shell/plugin_entry.h"
#include "tarnik/text_codec.h"

namespace fs = std::filesystem;

namespace tarnik::cli {

namespace {

std::string Reason() {
    return std::strerror(errno);
}

// Reads the whole of an open descriptor; false with errno set.
bool ReadAll(int fd, std::string& bytes) {
    char buffer[1 << 16];
    for (;;) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(n));
    }
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

// What the start of a file run hands to the plug-in's entry: the host's entry
// takes no argument of ours.
struct StartPlan {
    std::string pluginFolder;
    std::string settingsFile;
    std::string emptyUserFolder;
};

StartPlan& Plan() {
    static StartPlan plan;
    return plan;
}

// The plug-in's own entry, run with an empty per-user folder so that its choice
// of a settings file copies no user settings anywhere; then the plug-in's folder
// and the settings file of the run take the place of what it chose, before the
// menu installation reads them.
int32_t FileRunEntry(XTRegistrationRecord* record) {
    const StartPlan& plan = Plan();
    std::optional<std::string> userData;
    if (const char* value = std::getenv("XDG_DATA_HOME"))
        userData = value;
    setenv("XDG_DATA_HOME", plan.emptyUserFolder.c_str(), 1);
    int32_t result = XTActivateCallback(record);
    if (userData)
        setenv("XDG_DATA_HOME", userData->c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    SetPluginFolder(plan.pluginFolder);
    SetStoreTarget(plan.settingsFile.c_str(), nullptr);
    return result;
}

}  // namespace

bool ReadTextInput(const std::string& file, std::u16string& text, std::string& error) {
    const bool standardInput = file.empty() || file == "-";
    const std::string name = standardInput ? "standard input" : file;
    std::string bytes;
    int fd = standardInput ? STDIN_FILENO : open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || !ReadAll(fd, bytes)) {
        error = name + ": " + Reason();
        if (fd >= 0 && !standardInput)
            close(fd);
        return false;
    }
    if (!standardInput)
        close(fd);
    if (std::optional<size_t> offset = FindBadUtf8(bytes)) {
        error = name + ": not UTF-8 text (bad byte at offset " + std::to_string(*offset) + ")";
        return false;
    }
    text = Utf8ToUtf16(bytes);
    return true;
}

std::optional<std::string> ParseSettingNames(const std::string& names,
                                             std::span<const SettingName> known,
                                             const char* section, const char* value,
                                             std::vector<SettingValue>& settings) {
    size_t start = 0;
    while (start <= names.size()) {
        size_t comma = names.find(',', start);
        std::string name = names.substr(start, comma == std::string::npos ? comma : comma - start);
        const SettingName* found = nullptr;
        for (const SettingName& candidate : known) {
            if (name == candidate.name)
                found = &candidate;
        }
        if (!found)
            return "unknown rule '" + name + "'";
        settings.push_back({section, found->key, value});
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return std::nullopt;
}

bool WriteStandardOutput(const std::string& bytes) {
    return WriteAll(STDOUT_FILENO, bytes);
}

// While it lives, SIGINT, SIGHUP and SIGTERM are taken by a thread of their own
// instead of ending the program where it stands: the thread removes the run's
// folder, then lets the signal end the program as it would have, so callers
// still see the program die of it.
class TextFileRun::InterruptWatch {
  public:
    explicit InterruptWatch(std::string folder) : folder_(std::move(folder)) {
        sigemptyset(&signals_);
        for (int signal : {SIGINT, SIGHUP, SIGTERM, kStop})
            sigaddset(&signals_, signal);
        pthread_sigmask(SIG_BLOCK, &signals_, &before_);  // the thread inherits the mask
        thread_ = std::thread([this] { Watch(); });
    }
    ~InterruptWatch() {
        pthread_kill(thread_.native_handle(), kStop);
        thread_.join();
        pthread_sigmask(SIG_SETMASK, &before_, nullptr);
    }
    InterruptWatch(const InterruptWatch&) = delete;
    InterruptWatch& operator=(const InterruptWatch&) = delete;

  private:
    // Ends the watch; never sent from outside the program.
    static constexpr int kStop = SIGUSR2;

    void Watch() {
        int signal = 0;
        while (sigwait(&signals_, &signal) != 0) {
        }
        if (signal == kStop)
            return;
        std::error_code ec;
        fs::remove_all(folder_, ec);
        sigset_t only;
        sigemptyset(&only);
        sigaddset(&only, signal);
        std::signal(signal, SIG_DFL);
        pthread_sigmask(SIG_UNBLOCK, &only, nullptr);
        raise(signal);
    }

    std::string folder_;
    sigset_t signals_;
    sigset_t before_;
    std::thread thread_;
};

TextFileRun::TextFileRun() = default;

TextFileRun::~TextFileRun() {
    interruptWatch_.reset();
    if (started_)
        host_.Quit();
    if (!settingsFolder_.empty()) {
        SetStoreTarget("", nullptr);
        std::error_code ec;
        fs::remove_all(settingsFolder_, ec);
    }
}

bool TextFileRun::Start(const std::u16string& text, const TextRunOptions& options,
                        host::DialogDriver* driver, std::string& error) {
    std::string pattern = (fs::temp_directory_path() / "tarnik-run-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        error = "cannot make a folder for the run's settings: " + Reason();
        return false;
    }
    settingsFolder_ = pattern;
    interruptWatch_ = std::make_unique<InterruptWatch>(settingsFolder_);

    std::string settings;
    if (!options.settingsFile.empty()) {
        std::ifstream in(options.settingsFile, std::ios::binary);
        if (in)
            settings.assign(std::istreambuf_iterator<char>(in), {});
        if (!in || in.bad()) {
            error = "cannot read the settings file " + options.settingsFile;
            return false;
        }
    }
    const std::string settingsFile = settingsFolder_ + "/settings.ini";
    {
        std::ofstream out(settingsFile, std::ios::binary);
        out << settings;
        if (!out.flush()) {
            error = "cannot write " + settingsFile;
            return false;
        }
    }
    for (const SettingValue& setting : options.settings) {
        SetStoreTarget(settingsFile.c_str(), setting.section.c_str());
        PutString(setting.key, setting.value);
    }
    FlushStore();

    StartPlan& plan = Plan();
    plan.pluginFolder = options.xtensionsDir.empty() ? DefaultXTensionsDir() : options.xtensionsDir;
    plan.settingsFile = settingsFile;
    plan.emptyUserFolder = settingsFolder_;

    host_.document = host::OneBoxDocument(text);
    host_.SetDialogDriver(driver);
    int32_t result = host_.Start(FileRunEntry);
    started_ = host_.Accepted();
    startMessages_ = host_.messages.size();
    if (result != 0) {
        error = "the plug-in did not start: " + StartProblem(result);
        return false;
    }
    return true;
}

TextFileRun::CommandResult TextFileRun::RunCommand(const std::string& title) {
    host_.UpdateMenus();
    const host::MenuItem* item = host_.menus.FindItemByTitle(title);
    if (!item)
        return CommandResult::kNoItem;
    if (!item->enabled)
        return CommandResult::kDisabled;
    host_.ChooseMenuItem(item->number);
    return CommandResult::kDone;
}

std::string TextFileRun::StoryText() const {
    return Utf16ToUtf8(host_.document->stories[0].Text());
}

}  // namespace tarnik::cli
