// WordScanner: the spell check's walk through story text, one word at a time, and
// the two lists that last for one check command ("Ignore All", "Change All").
//
// The walk covers [current, end) of one story. Words are found by FindNextWord
// (text/word_finder.h), reading with GetChar and stepping with the host's
// NextCharPosition. A word's text goes into the caller's buffer of kWordBufferSize
// bytes; a longer run of word characters is still one word over its whole range,
// and its text keeps the first 319 characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <forward_list>
#include <optional>
#include <string>
#include <string_view>

#include "platform/host_api.h"
#include "text/unicode_case.h"
#include "text/word_finder.h"

namespace tarnik {

inline constexpr size_t kWordBufferSize = kMaxWordText + 1;

// A word of the walk: its range, its cp1250 text for the speller (the first
// kMaxWordText characters, a letter cp1250 lacks as kUnheldLetter), and its own
// characters as the story holds them (without the discretionary hyphens and the
// other marks that lie inside its range only), whole however long it is.
struct ScannedWord {
    int32_t start = 0;
    int32_t end = 0;
    std::string text;
    std::u16string units;
};

// A "Change All" answer found for a word: the replacement as the user gave it,
// and whether it takes the case of each later word (the user gave it in the
// case pattern of the word it replaced, as krul -> król) or stays as given
// (polsce -> Polsce).
struct ChangeAllAnswer {
    std::u16string replacement;
    bool followsCase = true;
};

class WordScanner {
  public:
    static constexpr int kWholeDocument = 2;

    // Starts a walk over the current text box: its selection, or its whole story when
    // the selection is a caret; empties both lists. 1 when started, 0 for an empty
    // story, -1 when there is no current text box. Mode kWholeDocument returns 1 at
    // once: the document walk sets each box's range with ScanRange.
    int BeginScan(int mode);
    // Walks [start, end) of the current box's story; a negative start means 0, a
    // negative end the story's length.
    void ScanRange(int32_t start, int32_t end);

    // The next word: its text (cp1250, NUL-terminated) into `word`, its range into
    // start and end; 1 when found. 0 when the range is exhausted: then the word is
    // empty and start = end = the end of the range. -1 for a missing buffer.
    int NextWord(char* word, int32_t* start, int32_t* end);
    // The same with the word whole: true when found.
    bool NextWord(ScannedWord& word);

    // The word (or words) touching the current box's selection: its range and length,
    // 0 when no word touches it.
    int32_t WordAtCaret(int32_t* start, int32_t* end);

    // For each node of a suggestion list (nodes with `next` and a `word` text).
    template <class Node>
    static void ApplyCaseToList(Node* list, uint16_t flags) {
        for (; list; list = list->next)
            ApplyWordCase(list->word, flags);
    }

    // Replaces [start, end) by the replacement and moves the walk's current and end
    // positions by the change in length. A replacement of 256 characters or more, or
    // one the host refuses, changes nothing (positions included) and gives false.
    bool ReplaceWord(std::string_view replacement, int32_t start, int32_t end);
    bool ReplaceWord(std::u16string_view replacement, int32_t start, int32_t end);
    bool ReplaceWordWithCase(std::string_view replacement, int32_t start, int32_t end,
                             uint16_t flags);

    // Words to ignore, kept whole by their own characters, as given and in small
    // letters; a word matches either form exactly. The cp1250 forms take each
    // byte as its character.
    void IgnoreAdd(std::u16string_view word);
    bool IgnoreContains(std::u16string_view word) const;
    void IgnoreAdd(std::string_view word);
    bool IgnoreContains(std::string_view word) const;
    void IgnoreClear();

    // Misspelt word (kept whole, in small letters) -> the replacement as given
    // (ChangeAllAnswer); looked up exactly with the word as given, so a caller
    // passes the small-letter form of the word it meets.
    void ReplaceAdd(std::u16string_view word, std::u16string_view replacement);
    std::optional<ChangeAllAnswer> ReplaceFind(std::u16string_view word) const;
    // The cp1250 forms: the replacement kept in small letters, as the list kept
    // it before it kept case patterns.
    void ReplaceAdd(std::string_view word, std::string_view replacement);
    std::optional<std::string> ReplaceFind(std::string_view word) const;
    void ReplaceClear();

    // Clears the selection, gives back the selection found at BeginScan (within the
    // story as it now is) and forgets the walk. The lists stay until cleared.
    void EndScan();

    XTStory Story() const { return story_; }
    int32_t Current() const { return current_; }
    int32_t End() const { return end_; }

  private:
    // After a replacement: moves the walk's positions by `delta` when it was
    // made; `replaced`.
    bool MovedBy(bool replaced, int32_t delta);

    struct IgnoreEntry {
        std::u16string lower;
        std::u16string word;
    };
    struct ReplaceEntry {
        std::u16string word;
        ChangeAllAnswer answer;
    };

    XTStory story_ = 0;
    int32_t current_ = 0;
    int32_t end_ = 0;
    int32_t savedStart_ = 0;
    int32_t savedEnd_ = 0;
    std::forward_list<IgnoreEntry> ignore_;    // newest first
    std::forward_list<ReplaceEntry> replace_;  // newest first
};

// The process's one scan.
WordScanner& Scanner();

}  // namespace tarnik
