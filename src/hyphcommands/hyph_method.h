// The Polish hyphenation offered to the host as one of its hyphenation methods:
// the host lists the method among its hyphenation settings and, while it sets
// text with automatic hyphenation, asks it for the break points of each word.
//
// The method is named "Tarnik"; its identifier is the plug-in's identifier
// code ("TRNk") read as a 32-bit value with its bytes reversed, so the record's
// first four bytes read "TRNk" on this little-endian platform. The words are
// hyphenated by the hyphenation service (hyph_service.h), with the user's
// exceptions when the setting "2UzywajWyjatkow" is on.
#pragma once

#include <cstdint>
#include <string>

#include "tarnik/xtabi.h"

namespace tarnik {

inline constexpr char kHyphMethodName[] = "Tarnik";
// The largest word a request may hold; longer words get no break entries.
inline constexpr int16_t kMaxMethodWord = 255;
// Languages the host numbers: bit n of the language set stands for language n.
inline constexpr int kMethodLanguageEnglish = XT_LANGUAGE_ENGLISH;
inline constexpr int kMethodLanguagePolish = XT_LANGUAGE_POLISH;

// The identifier for a four-character identifier code (missing characters
// count as 0).
uint32_t HyphMethodId(const std::string& idCode);

// Registers the method with the host: Polish when the host is a Polish one,
// English and Polish when it is international or multilingual, no language
// otherwise. The result byte the host gives.
uint8_t RegisterHyphMethod(const std::string& idCode);

// Event 454: appends the method's 96-byte record to the host's list.
void AnswerMethodList(const XTHyphMethodListRequest& request, const std::string& idCode);

// Event 435: the word's break entries, one after each piece the word breaks
// into, the last at the word's end. No entry (and the request untouched) for a
// word without letters, a word over kMaxMethodWord bytes, or when the
// hyphenation dictionary is not open.
void AnswerHyphenateWord(XTHyphWordRequest& request);

// Activation: installs the handlers of events 435 and 454, then registers the
// method. Both handlers answer 0.
void InstallHyphMethod(const std::string& idCode);

}  // namespace tarnik
