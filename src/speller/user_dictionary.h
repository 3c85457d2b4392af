// The user dictionary "user.dic": the words the user added, capitalisation kept.
//
// File: a 4-byte little-endian list length n, then n bytes of word list; bytes
// after the list are ignored (the file is never shortened). The list holds
// entries sorted by letter code, capitals before small letters and a word before
// its own extensions: a shared-prefix byte (letters shared with the word
// before), the remaining letters (codes 44 to 127), the end mark 1. The list
// ends with 0, 0; a new file is the six bytes 02 00 00 00 00 00.
//
// Every open dictionary is linked in one chain, the most recently opened first;
// the word check consults each of them. Each keeps its file open for writing and
// is saved after every add and remove.
//
// Words are stored as the letter code translates them: a word is cut at its
// first character outside the alphabet, so "abc1" is stored as "abc". The
// longest word stored is 255 letters (the length a shared-prefix byte can
// count); a longer word is refused and never found.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "speller/letter_code.h"

namespace tarnik {

constexpr size_t kMaxUserWordLetters = 255;

enum UserDictResult : int16_t {
    kUserDictOk = 0,
    kUserDictFailed = 1,      // cannot create, read or save; a word not stored
    kUserDictCannotOpen = 2,  // UserDictOpen
    kUserDictNoneOpen = -50,  // UserDictClose with an empty chain
    kUserDictNoRecord = -51,  // UserDictClose of a record that is not open
};

struct UserDictionary {
    std::unique_ptr<UserDictionary> next;  // the chain owns its records
    std::string path;
    std::vector<uint8_t> list;  // exactly as in the file after the length
    std::FILE* file = nullptr;  // none for a dictionary of one run
    int position = 1;           // enumeration: 1-based entry number

    ~UserDictionary();
};

// Creates `path`, or empties it, holding the empty list. 0, or 1 when the file
// cannot be created or written.
int16_t UserDictCreate(const std::string& path);

// Opens `path` read-write and puts its record at the head of the chain. A stated
// length beyond the file takes the rest of the file as the list. 0 with
// `record` set; 1 when the list cannot be read (none, or no memory); 2 when the
// file cannot be opened.
int16_t UserDictOpen(const std::string& path, UserDictionary*& record);

// Opens a user dictionary without a file, for words accepted for one run: it is
// consulted like the others and never saved. 0, or 1 when memory runs out.
int16_t UserDictOpenForRun(UserDictionary*& record);

// Closes the file and releases the record. 0; -50 when no user dictionary is
// open; -51 when `record` is not an open one.
int16_t UserDictClose(UserDictionary* record);

// Closes every open user dictionary.
void UserDictCloseAll();

// Adds `word` (cp1250) in its place and saves, also when it was already there.
// 0 when the word is stored and saved; 1 when it is refused (no letters, too
// long, a damaged list: then nothing is saved) or the save fails.
int16_t UserDictAddWord(UserDictionary* record, std::string_view word);

// Removes `word` when it is stored, then saves. 0; 1 when there is no record or
// the save fails.
int16_t UserDictRemoveWord(UserDictionary* record, std::string_view word);

// 1 when `word`, in exactly this form, is stored; else 0.
int16_t UserDictContains(const UserDictionary* record, std::string_view word);

// Enumeration: with `restart` from the first word. Puts the next word (cp1250)
// into `word`, empty at the end of the list, and returns 1 when another entry
// follows, else 0.
int16_t UserDictNextWord(UserDictionary* record, std::string& word, bool restart);

// Whether some open user dictionary holds exactly `word`.
bool AnyUserDictContains(LetterWord word);

}  // namespace tarnik
