// The user's hyphenation exceptions: the list in slot 5 of the HyphDict and its
// file "PLHYPH.USR".
//
// The file holds the list block's size (32-bit little-endian) and the block. A
// size above 0xFFFFF is taken to be written big-endian and read byte-reversed.
// Bytes after the list's end mark are kept and written back untouched.
//
// Words come as cp1250 with '-' at each allowed break ("kon-stan-ty-no-pol-ski")
// and are stored in the codes of the input map, so "Kotek" and "kotek" are one
// word. Hyphens at the word's edges or doubled add nothing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "hyphenation/hyph_dict.h"

namespace tarnik {

// Results of the list operations.
enum HyphExceptionResult : int16_t {
    kHyphExceptionDone = 0,
    kHyphExceptionPresent = 1,      // Add: the word already has an entry; Remove: it has none
    kHyphExceptionTooLong = 2,      // Add: no letters, more than 49 breaks, or entry over 255 bytes
    kHyphExceptionNoList = -128,    // Add: no user list loaded, or no memory
    kUserFileCannotCreate = 100,    // save: the file may not be written, or cannot be created
    kUserFileSizeNotWritten = 101,  // save: the size could not be written
    kUserFileListNotWritten = 102,  // save: the list could not be written
    kUserFileNoSeed = 104,          // load: unreadable, and no seed list to start from
    kUserFileCannotOpen = 200,      // load: the file exists but cannot be read
    kUserFileSizeShort = 201,       // load: fewer than 4 bytes
    kUserFileBadSize = 202,         // load: a size of 0 or below, or no memory for the block
    kUserFileDamaged = 203,         // load: the block is cut short or holds no well-formed list
};

// Keeps `path` and reads the user list from it into slot 5. When there is no
// file yet, it is created holding the seed list (the list already in slot 5),
// and the result is that of the write. When the file exists but cannot be read
// or is damaged, the seed list stays in use, the damaged file is moved to the
// first free backup name (PLHYPH.USR.bak, then .bak.1, …: kept in
// userBackupPath; an older backup is never replaced), a fresh file is written,
// and the result is the read error, so the caller can tell the user. A
// read-only file is read like any other; only changing it fails.
int16_t LoadUserExceptions(HyphDict& dict, const std::string& path);

// Writes slot 5 to the kept path through the safe save, so a failed save leaves
// the old file whole (dict.lastSave says why). 0, 100 (the file may not be
// written, or no temporary file can be made) or 102 (the write failed).
int16_t SaveUserExceptions(HyphDict& dict);

// 1 when `word` (without hyphens) has an entry in the user list, else 0.
int IsHyphException(const HyphDict& dict, std::string_view word);

// Adds and removes. Several programs may share the file: each change takes the
// file's lock and starts from the list the file holds now, so words another
// program saved meanwhile are kept; slot 5 then holds what was saved. A failed
// save is reported with its result (100-102, see SaveUserExceptions) and leaves
// slot 5 as the file holds it, without the change.

// Adds the hyphenated word and saves the list. 0, 1, 2, -128 as listed above,
// or the save's failure.
int16_t AddHyphException(HyphDict& dict, std::string_view hyphenated);

// Removes the word's entry (hyphens in `word` are ignored) and saves the list.
// 0, 1 (no such entry), or the save's failure.
int16_t RemoveHyphException(HyphDict& dict, std::string_view word);

// Lists the user list entry by entry as hyphenated cp1250 words. `restart`
// starts again at the first entry. 1 with `out` set, or 0 at the end.
int NextHyphException(HyphDict& dict, std::string& out, bool restart);

}  // namespace tarnik
