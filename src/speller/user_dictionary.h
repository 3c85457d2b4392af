// The user dictionary "user.dic": the words the user added, capitalisation kept.
//
// File: a 4-byte little-endian list length n, then n bytes of word list; bytes
// after the list are ignored. The list holds
// entries sorted by letter code, capitals before small letters and a word before
// its own extensions: a shared-prefix byte (letters shared with the word
// before), the remaining letters (codes 44 to 127), the end mark 1. The list
// ends with 0, 0; a new file is the six bytes 02 00 00 00 00 00.
//
// A file our tools wrote in this format (the bundled mixedcase.dic) ends in the
// checksum trailer (files/checksum_trailer.h) after the list: when a file ends
// in one, it must match, or the file is refused as damaged. A file without one
// (every user.dic: the user's own saves never write it) is read by its format
// alone, a damaged list still being refused by its shape.
//
// Every open dictionary is linked in one chain, the most recently opened first;
// the word check consults each of them.
//
// The file is checked whole when it is opened (a damaged one is refused with
// its own result and left as it is), and saved whole after every add and
// remove through the safe save, so a save that breaks off leaves the old file.
// Several programs may share one file: each add and remove takes the file's
// lock, starts from the list the file holds now (so words another program added
// meanwhile stay) and leaves the record holding what it saved. A file that may
// not be written (read-only) is used for checking; only adding and removing
// fail.
//
// Words are stored as the letter code translates them: a word is cut at its
// first character outside the alphabet, so "abc1" is stored as "abc". The
// longest word stored is 255 letters (the length a shared-prefix byte can
// count); a longer word is refused and never found.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "speller/letter_code.h"
#include "tarnik/safe_save.h"

namespace tarnik {

constexpr size_t kMaxUserWordLetters = 255;

// The bundled user dictionary beside the main dictionary that holds the source's
// mixed-case words (GHz, pH, JavaScript): it is opened read-only beside the
// user's own wherever the user dictionaries are opened, and never written.
inline constexpr char kMixedCaseDictionaryName[] = "mixedcase.dic";

enum UserDictResult : int16_t {
    kUserDictOk = 0,
    kUserDictFailed = 1,      // cannot create, read or save; a word not stored
    kUserDictCannotOpen = 2,  // UserDictOpen: no such file, or it may not be read
    kUserDictNoMemory = 2,    // UserDictCreate
    kUserDictDamaged = 3,     // the file's list is cut or damaged; the file is left alone
    kUserDictNoneOpen = -50,  // UserDictClose with an empty chain
    kUserDictNoRecord = -51,  // UserDictClose of a record that is not open
};

// Hashes a word's letter codes; looked up by string_view without a copy.
struct LetterCodesHash {
    using is_transparent = void;
    size_t operator()(std::string_view codes) const { return std::hash<std::string_view>{}(codes); }
};

struct UserDictionary {
    std::unique_ptr<UserDictionary> next;  // the chain owns its records
    std::string path;                      // empty for a dictionary of one run
    std::vector<uint8_t> list;             // exactly as in the file after the length
    // Every word of `list` in letter codes, rebuilt whenever `list` changes: the
    // word check looks words up here instead of walking the list.
    std::unordered_set<std::string, LetterCodesHash, std::equal_to<>> words;
    // The same words keyed by their small letters, for suggestions that mend
    // only the case (Ghz -> GHz).
    std::unordered_multimap<std::string, std::string, LetterCodesHash, std::equal_to<>> bySmall;
    // Enumeration: where the next entry starts in `list` and the word the
    // entry before it spelt; any change of the list starts it again.
    size_t nextEntry = 0;
    std::vector<uint8_t> enumerated;
    // A dictionary of one run keeps its words in `words` alone while they are
    // accepted one by one, and lays out `list` only when it is read.
    bool listStale = false;
    // How the last save ended; after a failed add or remove,
    // lastSave.Describe(path) tells the user why (a read-only file, a full disk).
    SaveResult lastSave;
};

// Makes `path` hold the empty list when there is no file or it holds no list
// (empty, or a length of 0). A dictionary that is already there (another
// program may just have made it) is left as it is and gives 0 too; a damaged or
// unreadable file is never emptied (move it aside first: MoveFileAside) and
// gives 1. 0; 1 when the file cannot be made (`save`, when given, then says
// why, or stays Ok when a file that is no dictionary is in the way); 2 when
// memory runs out.
int16_t UserDictCreate(const std::string& path, SaveResult* save = nullptr);

// Reads `path` and puts its record at the head of the chain. A stated length
// beyond the file takes the rest of the file as the list. 0 with `record` set;
// 1 when the file holds no list (empty, no length) or memory runs out; 2 when
// the file is missing or may not be read; 3 when the list is damaged (the caller
// may move the file aside with MoveFileAside and create a new one).
int16_t UserDictOpen(const std::string& path, UserDictionary*& record);

// The list that holds `words` (letter codes, in letter-code order, each once)
// as the file holds it after its length: every entry shares all the letters
// it has in common with the word before it. Our tools write lists with it too.
std::vector<uint8_t> UserWordList(const std::vector<std::string>& words);

// UserDictOpen for a list our tools wrote (the bundled mixed-case words): a
// checksum trailer it ends in must match, or the list is damaged (3).
int16_t UserDictOpenSealed(const std::string& path, UserDictionary*& record);

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
// long) or the save fails (see lastSave); 3 when the file has been damaged
// since it was opened (nothing is saved).
int16_t UserDictAddWord(UserDictionary* record, std::string_view word);

// Adds every word of `words` (cp1250) and saves once, under one lock: for many
// words at a time (an import). A word that cannot be stored (no letters, too
// long) is skipped. 0 when saved; 1 when the save fails (see lastSave); 3 as for
// adding.
int16_t UserDictAddWords(UserDictionary* record, const std::vector<std::string>& words);

// Removes `word` when it is stored, then saves. 0; 1 when there is no record or
// the save fails; 3 as for adding.
int16_t UserDictRemoveWord(UserDictionary* record, std::string_view word);

// 1 when `word`, in exactly this form, is stored; else 0.
int16_t UserDictContains(const UserDictionary* record, std::string_view word);

// Enumeration: with `restart` from the first word. Puts the next word (cp1250)
// into `word`, empty at the end of the list, and returns 1 when another entry
// follows, else 0. Each step costs the one entry it reads; a change of the
// list in between starts the enumeration again from its first word.
int16_t UserDictNextWord(UserDictionary* record, std::string& word, bool restart);

// Whether some open user dictionary holds exactly `word`.
bool AnyUserDictContains(LetterWord word);

// The forms (letter codes, without the end mark) that the open user
// dictionaries hold of `small` (small letter codes, with or without the end
// mark) in any capitals: for "ghz", "GHz".
std::vector<std::string> UserDictCaseForms(LetterWord small);

}  // namespace tarnik
