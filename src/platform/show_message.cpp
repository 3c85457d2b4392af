#include "platform/show_message.h"

#include <cstdarg>
#include <cstdio>

#include "charsets/utf8.h"
#include "platform/host_api.h"
#include "platform/shown_text.h"

namespace tarnik {

namespace {

constexpr std::size_t kMaxMessageText = 255;

struct MessageSource {
    std::string xtensionName;
    std::string fileVersion;
};

MessageSource& Source() {
    static MessageSource source;
    return source;
}

int16_t ShowBox(int16_t style, const char* title, const char* text) {
    return Host().ShowMessageBox(Host().GetMainWindow(), style, title, text);
}

}  // namespace

void SetMessageSource(std::string xtensionName, std::string fileVersion) {
    Source() = {std::move(xtensionName), std::move(fileVersion)};
}

const std::string& MessageXTensionName() {
    return Source().xtensionName;
}

const std::string& MessageFileVersion() {
    return Source().fileVersion;
}

std::string MessageTitle(const char* suffix) {
    return Source().xtensionName + " (" + Source().fileVersion + ")-" + (suffix ? suffix : "");
}

int16_t ShowMessage(int16_t style, int16_t errorNumber, const char* titleSuffix, const char* format,
                    ...) {
    std::string text;
    if (errorNumber != 0)
        text = "Error: " + std::to_string(errorNumber) + "\r";
    char message[kMaxMessageText + 1] = "";
    if (format) {
        va_list args;
        va_start(args, format);
        std::vsnprintf(message, sizeof message, format, args);
        va_end(args);
    }
    text += message;
    if (text.size() > kMaxMessageText)
        text.resize(kMaxMessageText);
    return ShowBox(style, MessageTitle(titleSuffix).c_str(), text.c_str());
}

namespace {

int16_t ShowFileMessageAs(int16_t style, const char* english, int16_t errorNumber,
                          const std::string& path) {
    std::string text = ShownText(english);
    const std::string shownPath = Utf8ToCp1250(path);
    if (size_t at = text.find("%s"); at != std::string::npos) {
        text.replace(at, 2, shownPath);
    } else {
        text += "\n" + shownPath;
    }
    return ShowMessage(style, errorNumber, "", "%s", text.c_str());
}

}  // namespace

int16_t ShowFileMessage(const char* english, int16_t errorNumber, const std::string& path) {
    return ShowFileMessageAs(XT_MB_OK, english, errorNumber, path);
}

int16_t ShowSaveFailure(const char* english, int16_t errorNumber, const std::string& reason) {
    return ShowFileMessageAs(static_cast<int16_t>(static_cast<int>(XT_MB_OK) | XT_MB_ICONERROR),
                             english, errorNumber, reason);
}

int16_t AskYesNo(const char* question) {
    std::string text(question ? question : "");
    if (text.size() > kMaxMessageText)
        text.resize(kMaxMessageText);
    return ShowBox(XT_MB_YESNO, MessageTitle(nullptr).c_str(), text.c_str()) == XT_ANSWER_YES ? 1
                                                                                              : 0;
}

}  // namespace tarnik
