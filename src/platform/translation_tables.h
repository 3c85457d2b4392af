// The translation tables: every text the plug-in shows is written in English
// in the code, and every dialog exists as an English resource; at the moment a
// text is shown or a dialog opened, these tables give its counterpart in the
// host's interface language.
//
// The string table maps (English text, language) to a translation, the dialog
// table (English dialog number, language) to the number of the translated twin.
// Both are sorted XTLArrays, created on first use, filled at activation and kept
// for the life of the process. Texts are held in 512-byte fields, so a text of
// 512 bytes or more has no entry. Translations are stored texts (x-mac-ce).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>

namespace tarnik {

inline constexpr uint16_t kPolishLanguage = 42;
// Passed as the language: the host's interface language at the time of the lookup.
inline constexpr int kCurrentLanguage = -1;

// How the tables learn the host's interface language; the shell installs it.
// Without one (or when it gives nothing), kCurrentLanguage matches no entry.
using LanguageSource = std::function<std::optional<uint16_t>()>;
void SetLanguageSource(LanguageSource source);

// Registers a translation, replacing the one of the same text and language.
// Returns 0; 1 when the text or the translation is 512 bytes or longer, which
// is refused, so that no text is ever translated to an empty one.
int16_t RegisterString(const char* english, uint16_t language, const char* translation);

// Registers a dialog twin, replacing the one of the same number and language.
// Returns 0.
int16_t RegisterDialog(uint16_t english, uint16_t language, uint16_t translated);

// The translation of `english`, copied into `buffer` (at most size - 1 bytes and
// a zero) or, without a buffer (null or of size 0), into the table's own 512-byte
// buffer, which the next such lookup overwrites. Without a translation the very
// pointer `english` comes back, nothing copied.
const char* TranslateString(const char* english, int language = kCurrentLanguage,
                            char* buffer = nullptr, std::size_t size = 0);

// The number of the translated twin, or `english` itself when there is none.
uint16_t TranslateDialog(uint16_t english, int language = kCurrentLanguage);

}  // namespace tarnik
