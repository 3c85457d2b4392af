// The settings store: one process-wide target (a settings file and a section
// in it) through which every component reads and writes its settings.
//
// Each component selects its section before a group of reads or writes
// ("1Slownik", "1Dzielenie", "1Typografia"; the shell's "Prefs"). A missing
// file, section or key reads as the given default; so does a file that cannot
// be read, or one larger than 4 MiB, which is no settings file.
//
// Writes are collected in memory and reach the file at FlushStore (also when the
// target file changes, and when the process ends); until then reads see them.
// The file is rewritten whole through the safe save (a temporary file beside it,
// renamed over it; a symbolic link stays a link), so a failed write leaves the
// old file as it was, and every section and key the write did not touch is
// kept. It is never rewritten in place. A write that cannot be made (a file that
// cannot be created, a read-only or unreadable file, a full disk) is reported
// by FlushStore with its reason; the writes stay pending, so reads still see
// them and the next flush tries again.
//
// Values are bytes: the components store cp1250 text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tarnik/safe_save.h"

namespace tarnik {

// A setting as a command line or an editor's configuration names it, and the
// key that holds it in its component's section.
struct NamedSetting {
    const char* name;  // "skip-capitals"
    const char* key;   // "4PominWersaliki"
};

// Sets the settings file and/or the section; a null argument leaves that part
// unchanged. Pending writes of the previous file are flushed first.
void SetStoreTarget(const char* file, const char* section);

const std::string& StoreFile();
const std::string& StoreSection();

// Copies the key's value (or `defaultValue` when the key is missing) into
// `buffer`: at most size - 1 bytes and a terminating zero. Returns the number
// of bytes copied; 0 with a null buffer or a size of 0.
std::size_t GetString(std::string_view key, std::string_view defaultValue, char* buffer,
                      std::size_t size);

// The key's value read as text (at most 255 bytes, `defaultValue` written as
// decimal text when the key is missing) and converted as a leading signed
// decimal number: "12abc" gives 12, "abc" gives 0, an empty value 0. Numbers
// beyond the 32-bit range give the nearest 32-bit value.
int32_t GetInt(std::string_view key, int32_t defaultValue);

// Writes the value into the current section, creating the file, the section
// and the key as needed.
void PutString(std::string_view key, std::string_view value);
void PutInt(std::string_view key, int32_t value);

// Writes what is pending to the current file: how the save ended (Ok when
// nothing was pending or the store is in memory). A file that could not be
// read when the writes were made fails with kTarget and the system's reason.
SaveResult FlushStore();

// FlushStore for a group of settings the user chose (a preferences dialog's
// OK): a failed save is shown in a message box with its reason, marked as a
// failure. False then.
bool FlushStoreOrTell();

// A store of one run, with no file behind it: it starts from `text` (a
// settings file's contents) and keeps every write in memory until a file is
// set as the target again. A file run uses it, so that neither the settings
// it was given nor the user's own are ever written.
void UseSettingsInMemory(std::string_view text);

// The whole store as a settings file holds it: the file's text with what is
// pending laid over it.
std::string StoreText();

}  // namespace tarnik
