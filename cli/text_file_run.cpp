#include "cli/text_file_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "cli/command.h"
#include "cli/plugin_session.h"
#include "tarnik/file_io.h"
#include "tarnik/text_codec.h"

namespace tarnik::cli {

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
    return WriteWholeDescriptor(STDOUT_FILENO, bytes);
}

TextFileRun::TextFileRun() = default;

TextFileRun::~TextFileRun() {
    if (started_)
        host_.Quit();
}

bool TextFileRun::Start(const std::u16string& text, const TextRunOptions& options,
                        host::DialogDriver* driver, std::string& error) {
    services::FileRun run{
        .dataFolder = options.xtensionsDir.empty() ? DefaultXTensionsDir() : options.xtensionsDir,
        .userDictionary = options.userDictionary,
        .userExceptions = options.userExceptions,
        .settingsFile = options.settingsText ? std::string() : options.settingsFile,
        .settingsText = options.settingsText.value_or(""),
        .settings = options.settings,
        .components = options.components,
    };
    if (std::optional<Error> problem = services::PrepareFileRun(std::move(run))) {
        error = problem->Message();
        return false;
    }
    host_.document = host::OneBoxDocument(text);
    host_.SetDialogDriver(driver);
    int32_t result = host_.Start(services::FileRunEntry);
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

bool RunInParts(TextInput& input, host::MemoryHost& host, const PartRun& run, bool& changed,
                std::string& error) {
    host::Story& story = host.document->stories[0];
    markup::Reader reader(run.format);
    markup::ProseStory prose(run.format, run.prose);
    std::vector<markup::Span> spans;
    std::string line;
    std::u16string units;
    std::string out;
    changed = false;
    bool atEnd = false;
    while (!atEnd) {
        units.clear();
        while (units.size() < run.partUnits) {
            if (!input.NextLine(line)) {
                atEnd = true;
                break;
            }
            reader.ReadLine(line, spans);
            prose.AddLine(line, spans, units);
        }
        if (!input.Error().empty()) {
            error = input.Error();
            return false;
        }
        out.clear();
        if (!units.empty()) {
            story.Erase(0, story.Length());
            story.Insert(0, units.data(), static_cast<int32_t>(units.size()), 0);
            story.selectionStart = story.selectionEnd = 0;
            if (!run.command())
                return false;
            host.ForgetUndo();
            prose.Take(story.Text(), out);
        }
        if (atEnd)
            prose.Finish(out);
        changed = prose.Changed();
        if (!out.empty() && !run.write(out))
            return false;
    }
    return true;
}

std::string TextFileRun::Settings() const {
    return services::FileRunSettings();
}

}  // namespace tarnik::cli
