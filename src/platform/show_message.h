// The plug-in's message boxes.
//
// Title: the XTension name, " (", the module's file version, ")", "-" and the
// caller's suffix, e.g. "Tarnik11 (11.0.0)-". Text: "Error: N" and a carriage
// return when the error number N is not 0, then the formatted message; the whole
// text is cut to 255 bytes. The owner is the host's main window (none when the
// host gives none). Callers pass texts already translated and in cp1250.
#pragma once

#include <cstdint>
#include <string>

#include "tarnik/xtabi.h"

namespace tarnik {

// The name and version the titles show; the shell sets them at start-up.
void SetMessageSource(std::string xtensionName, std::string fileVersion);
const std::string& MessageXTensionName();
const std::string& MessageFileVersion();

// The title of a message box with this suffix (null counts as empty).
std::string MessageTitle(const char* suffix);

// Shows a message box of `style` (XT_MB_...); the button pressed (XT_ANSWER_...).
int16_t ShowMessage(int16_t style, int16_t errorNumber, const char* titleSuffix, const char* format,
                    ...) __attribute__((format(printf, 4, 5)));

// Shows the translated message `english` (ShownText) about a file: the path,
// converted to cp1250, takes the place of its "%s", or follows on a line of its
// own when it has none. The translated text is never used as a format, so a '%'
// in a translation or a path stays a '%'.
int16_t ShowFileMessage(const char* english, int16_t errorNumber, const std::string& path);

// As ShowFileMessage, for a save that failed: `reason` (a SaveResult's
// Describe) names the file and why, and the box is marked XT_MB_ICONERROR.
int16_t ShowSaveFailure(const char* english, int16_t errorNumber, const std::string& reason);

// Asks a question with the buttons Yes and No (the title as for ShowMessage with
// no suffix): 1 for Yes, 0 for No or when the box was closed otherwise.
int16_t AskYesNo(const char* question);

}  // namespace tarnik
