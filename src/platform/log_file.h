// The shell's log file: time-stamped lines appended to one file.
//
// Lines are written only while the log level is not 0. The level starts at 0
// and nothing raises it in normal running, so the log holds only the lines
// that the code forces (WriteForcedLogLine), whatever the level.
//
// A line: the universal time as "YYYY-MM-DD hh:mm:ss: " (left out when the text
// starts with a tab), the formatted text, then "\r\n". A line that cannot be
// appended to the log file (a program folder the user may not write, as under
// /usr) goes to the fallback file; when neither can be opened the line is lost
// silently: logging never fails a command.
#pragma once

#include <cstdint>
#include <string>

namespace tarnik {

void SetLogFile(const std::string& path, const std::string& fallback = {});
const std::string& LogFile();

void SetLogLevel(int32_t level);
int32_t GetLogLevel();

// Format and arguments as for printf.
void WriteLogLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Writes the line whatever the log level: the level is -1 for this one line
// and then restored.
void WriteForcedLogLine(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace tarnik
