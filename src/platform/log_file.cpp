#include "platform/log_file.h"

#include <cstdarg>
#include <cstdio>
#include <ctime>

namespace tarnik {

namespace {

struct LogState {
    std::string path;
    std::string fallback;
    int32_t level = 0;
};

LogState& State() {
    static LogState state;
    return state;
}

std::string Format(const char* format, va_list arguments) {
    va_list copy;
    va_copy(copy, arguments);
    int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (length <= 0)
        return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, arguments);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void WriteLine(const char* format, va_list arguments) {
    LogState& state = State();
    if (state.level == 0 || state.path.empty())
        return;
    std::FILE* file = std::fopen(state.path.c_str(), "ab");
    if (file == nullptr && !state.fallback.empty())
        file = std::fopen(state.fallback.c_str(), "ab");
    if (file == nullptr)
        return;
    std::string text = Format(format, arguments);
    if (text.empty() || text.front() != '\t') {
        std::time_t now = std::time(nullptr);
        std::tm utc{};
        gmtime_r(&now, &utc);
        std::fprintf(file, "%d-%02d-%02d %02d:%02d:%02d: ", utc.tm_year + 1900, utc.tm_mon + 1,
                     utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
    }
    std::fwrite(text.data(), 1, text.size(), file);
    std::fputs("\r\n", file);
    std::fclose(file);
}

}  // namespace

void SetLogFile(const std::string& path, const std::string& fallback) {
    State().path = path;
    State().fallback = fallback;
}

const std::string& LogFile() {
    return State().path;
}

void SetLogLevel(int32_t level) {
    State().level = level;
}

int32_t GetLogLevel() {
    return State().level;
}

void WriteLogLine(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    WriteLine(format, arguments);
    va_end(arguments);
}

void WriteForcedLogLine(const char* format, ...) {
    int32_t saved = GetLogLevel();
    SetLogLevel(-1);
    va_list arguments;
    va_start(arguments, format);
    WriteLine(format, arguments);
    va_end(arguments);
    SetLogLevel(saved);
}

}  // namespace tarnik
