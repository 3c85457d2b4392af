#include "speller/user_dictionary.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <new>
#include <optional>
#include <span>

#include "files/byte_order.h"
#include "files/checksum_trailer.h"
#include "files/file_lock.h"

namespace tarnik {

namespace {

constexpr size_t kNotFound = static_cast<size_t>(-1);

// The chain of open user dictionaries, the most recently opened first.
struct UserDictState {
    std::unique_ptr<UserDictionary> head;
};

UserDictState& State() {
    static UserDictState state;
    return state;
}

using List = std::span<const uint8_t>;
using Letters = std::span<const uint8_t>;

// The start of the entry after the one whose letters continue at `at`.
size_t SkipEntry(List list, size_t at) {
    while (at < list.size() && list[at] != kEndMark)
        ++at;
    return at + 1;
}

// Where a word stands in a list, walked from the first entry.
struct Place {
    enum Kind {
        kFound,    // the entry at `pos` holds the word
        kBefore,   // the word belongs before the entry (or the end mark) at `pos`
        kInside,   // the entry at `pos` sorts after the word and parts from it at `at`
        kDamaged,  // the list ends without its end mark
    };
    Kind kind;
    size_t pos = 0;
    size_t at = 0;
    size_t matched = 0;  // leading letters of the word that the list already spells
};

// Stops at the entry that holds the word, at the first entry that sorts after
// it, at the list's end mark, and at the end of the bytes of a list that has no
// end mark.
Place Locate(List list, Letters word) {
    size_t matched = 0;
    size_t pos = 0;
    while (true) {
        if (pos + 1 >= list.size())
            return {Place::kDamaged};
        uint8_t shared = list[pos];
        if (list[pos + 1] == 0 || shared < matched)
            return {Place::kBefore, pos, 0, matched};
        if (shared > matched) {
            pos = SkipEntry(list, pos + 1);
            continue;
        }
        size_t at = pos + 1;
        for (;; ++at) {
            if (at >= list.size())
                return {Place::kDamaged};
            uint8_t letter = list[at];
            if (letter == kEndMark) {
                if (matched == word.size())
                    return {Place::kFound, pos, at, matched};
                break;
            }
            if (matched < word.size() && letter == word[matched]) {
                ++matched;
                continue;
            }
            if (matched == word.size() || letter > word[matched])
                return {Place::kInside, pos, at, matched};
            at = SkipEntry(list, at) - 1;
            break;
        }
        pos = at + 1;
    }
}

// The offset of the entry that holds exactly `word`, or kNotFound.
size_t FindEntry(List list, Letters word) {
    Place place = Locate(list, word);
    return place.kind == Place::kFound ? place.pos : kNotFound;
}

enum class Insertion { kInserted, kPresent, kDamaged };

// Inserts `word` in its sorted place: as a new entry before the first entry that
// shares fewer letters, or by splitting the first entry that sorts after it.
Insertion InsertWord(std::vector<uint8_t>& list, Letters word) {
    Place place = Locate(list, word);
    std::vector<uint8_t> bytes;
    switch (place.kind) {
        case Place::kDamaged:
            return Insertion::kDamaged;
        case Place::kFound:
            return Insertion::kPresent;
        case Place::kBefore:
            bytes.push_back(static_cast<uint8_t>(place.matched));
            bytes.insert(bytes.end(), word.begin() + place.matched, word.end());
            bytes.push_back(kEndMark);
            list.insert(list.begin() + place.pos, bytes.begin(), bytes.end());
            return Insertion::kInserted;
        case Place::kInside:
            // The word's letters end the entry here, and the entry's rest
            // becomes a new entry.
            bytes.assign(word.begin() + place.matched, word.end());
            bytes.push_back(kEndMark);
            bytes.push_back(static_cast<uint8_t>(place.matched));
            list.insert(list.begin() + place.at, bytes.begin(), bytes.end());
            return Insertion::kInserted;
    }
    return Insertion::kDamaged;
}

// Removes the entry at `pos`, handing the letters the next entry relies on over
// to it. A damaged list is left as it is.
void RemoveEntry(std::vector<uint8_t>& list, size_t pos) {
    size_t end = SkipEntry(list, pos + 1);  // the next entry
    if (end > list.size())
        return;
    size_t shared = list[pos];
    size_t nextShared = end < list.size() ? list[end] : 0;
    if (shared >= nextShared) {
        list.erase(list.begin() + pos, list.begin() + end);
        return;
    }
    size_t keep = nextShared - shared;
    size_t letters = end - 1 - (pos + 1);
    if (keep > letters)
        return;
    list.erase(list.begin() + pos + 1 + keep, list.begin() + end + 1);
}

// Walks the entries from the first, rebuilding each word.
class EntryWalker {
  public:
    explicit EntryWalker(List list) : list_(list) {}
    // Goes on from the entry at `pos`, `word` being the word before it.
    EntryWalker(List list, size_t pos, std::vector<uint8_t> word)
        : list_(list), pos_(pos), word_(std::move(word)) {}

    // Moves to the next entry; false at the end of the list or where it is damaged.
    bool Next() {
        if (!HasNext())
            return false;
        size_t shared = list_[pos_];
        if (shared > word_.size())
            return false;
        word_.resize(shared);
        size_t at = pos_ + 1;
        while (at < list_.size() && list_[at] != kEndMark)
            word_.push_back(list_[at++]);
        if (at >= list_.size())
            return false;
        pos_ = at + 1;
        return true;
    }

    bool HasNext() const { return pos_ + 1 < list_.size() && list_[pos_ + 1] != 0; }
    const std::vector<uint8_t>& Word() const { return word_; }
    size_t Pos() const { return pos_; }
    std::vector<uint8_t> TakeWord() { return std::move(word_); }

  private:
    List list_;
    size_t pos_ = 0;
    std::vector<uint8_t> word_;
};

// Whether `list` is a whole word list: every entry shares exactly the letters
// it has in common with the word before it and ends with its end mark, the words ascend strictly
// in letter-code order, and the list ends with 0, 0. Bytes after the end are
// ignored. A list that fails was cut or damaged: searching it would miss words
// and saving over it would lose them.
bool IsWholeList(List list) {
    std::vector<uint8_t> previous, word;
    size_t pos = 0;
    for (bool first = true;; first = false) {
        if (pos + 1 >= list.size())
            return false;
        if (list[pos + 1] == 0)
            return list[pos] == 0;
        size_t shared = list[pos];
        if (shared > previous.size())
            return false;
        word.assign(previous.begin(), previous.begin() + static_cast<std::ptrdiff_t>(shared));
        size_t at = pos + 1;
        for (; at < list.size() && list[at] != kEndMark; ++at) {
            if (list[at] == 0)
                return false;
            word.push_back(list[at]);
        }
        if (at >= list.size() || (!first && !std::ranges::lexicographical_compare(previous, word)))
            return false;
        // The shared count is the whole common start: a lookup skips an entry
        // by it, so an entry that shares more than it says hides the words
        // after it.
        if (shared < previous.size() && word[shared] == previous[shared])
            return false;
        previous.swap(word);
        pos = at + 1;
    }
}

// Puts `word` (letter codes) into the index of `record`.
void IndexWord(UserDictionary& record, std::string word) {
    std::string small;
    for (char code : word)
        small.push_back(static_cast<char>(ToSmallCode(static_cast<uint8_t>(code))));
    record.bySmall.emplace(std::move(small), word);
    record.words.insert(std::move(word));
}

// The enumeration starts again from the first word.
void RestartEnumeration(UserDictionary& record) {
    record.nextEntry = 0;
    record.enumerated.clear();
}

// Gives `record` the list `list` and the index of its words.
void Store(UserDictionary& record, std::vector<uint8_t> list) {
    record.list = std::move(list);
    record.listStale = false;
    RestartEnumeration(record);
    record.words.clear();
    record.bySmall.clear();
    EntryWalker walker(record.list);
    while (walker.Next()) {
        const std::vector<uint8_t>& word = walker.Word();
        IndexWord(record, std::string(word.begin(), word.end()));
    }
}

// The words of a whole list, in its order; none when the list is damaged.
std::optional<std::vector<std::string>> ListWords(List list) {
    std::vector<std::string> words;
    EntryWalker walker(list);
    while (walker.Next())
        words.emplace_back(walker.Word().begin(), walker.Word().end());
    if (walker.HasNext())
        return std::nullopt;
    return words;
}

// Letter-code order, the order of the list.
bool CodesBefore(const std::string& a, const std::string& b) {
    return std::ranges::lexicographical_compare(a, b, std::less<uint8_t>{},
                                                [](char c) { return static_cast<uint8_t>(c); });
}

// The list that holds `words` (in letter-code order, each once): every entry
// shares all the letters it has in common with the word before it.
std::vector<uint8_t> ListOf(const std::vector<std::string>& words) {
    std::vector<uint8_t> list;
    const std::string* previous = nullptr;
    for (const std::string& word : words) {
        size_t shared = 0;
        if (previous) {
            auto [mine, theirs] = std::ranges::mismatch(word, *previous);
            shared = static_cast<size_t>(mine - word.begin());
        }
        list.push_back(static_cast<uint8_t>(shared));
        list.insert(list.end(), word.begin() + static_cast<std::ptrdiff_t>(shared), word.end());
        list.push_back(kEndMark);
        previous = &word;
    }
    list.push_back(0);
    list.push_back(0);
    return list;
}

// Lays out the list of a dictionary of one run from its words, when words
// were accepted since it was last laid out.
void LayOutList(UserDictionary& record) {
    if (!record.listStale)
        return;
    std::vector<std::string> words(record.words.begin(), record.words.end());
    std::ranges::sort(words, CodesBefore);
    record.list = ListOf(words);
    record.listStale = false;
    RestartEnumeration(record);
}

enum class ListFile { kRead, kMissing, kEmpty, kUnreadable, kDamaged };

// Reads the word list of the file at `path`. A stated length beyond the file
// takes the rest of the file.
ListFile ReadListFile(const std::string& path, std::vector<uint8_t>& list, bool sealed = false) {
    std::error_code error;
    std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status))
        return error && error != std::errc::no_such_file_or_directory ? ListFile::kUnreadable
                                                                      : ListFile::kMissing;
    if (!std::filesystem::is_regular_file(status))
        return ListFile::kUnreadable;  // a folder of that name, say
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ListFile::kUnreadable;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return ListFile::kUnreadable;
    if (bytes.empty())
        return ListFile::kEmpty;
    // A file our tools wrote (the bundled mixed-case words) ends in a checksum
    // trailer, which must match. The user's own files have none, and whatever
    // bytes follow their list are no concern of theirs: a list's bytes are never
    // judged by what looks like a trailer.
    if (sealed) {
        std::string_view contents;
        if (CheckTrailer(bytes, contents) == ChecksumVerdict::kDamaged)
            return ListFile::kDamaged;
        bytes.resize(contents.size());
    }
    size_t available = bytes.size() > 4 ? bytes.size() - 4 : 0;
    size_t length = available;
    if (bytes.size() >= 4) {
        uint32_t stated = ReadLittle32(reinterpret_cast<const uint8_t*>(bytes.data()));
        if (stated <= available)
            length = stated;
    }
    // A file with bytes but no list (cut to a few bytes, its length zeroed, all
    // zeros) may still hold the user's words: it is damaged, never "new".
    if (length == 0)
        return ListFile::kDamaged;
    list.assign(bytes.begin() + 4, bytes.begin() + 4 + static_cast<std::ptrdiff_t>(length));
    return IsWholeList(list) ? ListFile::kRead : ListFile::kDamaged;
}

// The file's bytes for `list`: its length, then the list.
std::string FileBytes(const std::vector<uint8_t>& list) {
    std::string bytes(4 + list.size(), '\0');
    WriteLittle32(reinterpret_cast<uint8_t*>(bytes.data()), static_cast<uint32_t>(list.size()));
    std::copy(list.begin(), list.end(), bytes.begin() + 4);
    return bytes;
}

// Applies `change` to the list as it is in the file now and saves the result,
// all under the file's lock, so that words another program saved meanwhile are
// kept. A missing or emptied file starts from the list in memory. The record
// then holds what the file holds. `change` returns false to save nothing.
template <typename Change>
int16_t ChangeAndSave(UserDictionary& record, Change change) {
    if (record.path.empty()) {  // a dictionary for one run
        LayOutList(record);
        std::vector<uint8_t> list = record.list;
        if (!change(list))
            return kUserDictFailed;
        Store(record, std::move(list));
        return kUserDictOk;
    }
    FileLock lock(record.path);
    std::vector<uint8_t> list;
    switch (ReadListFile(record.path, list)) {
        case ListFile::kRead:
            break;
        case ListFile::kMissing:
        case ListFile::kEmpty:
            list = record.list;
            break;
        case ListFile::kDamaged:
            return kUserDictDamaged;
        case ListFile::kUnreadable:
            return kUserDictFailed;
    }
    std::vector<uint8_t> saved = list;
    if (!change(list)) {
        Store(record, std::move(saved));
        return kUserDictFailed;
    }
    record.lastSave = SaveFileSafely(record.path, FileBytes(list));
    // The record holds what the file holds: without the change when it failed.
    Store(record, std::move(record.lastSave.Ok() ? list : saved));
    return record.lastSave.Ok() ? kUserDictOk : kUserDictFailed;
}

// The index key of a word's letter codes.
std::string_view CodesKey(std::span<const uint8_t> codes) {
    return {reinterpret_cast<const char*>(codes.data()), codes.size()};
}

// Puts `record` at the head of the chain.
UserDictionary* Link(std::unique_ptr<UserDictionary> record) {
    UserDictState& s = State();
    record->next = std::move(s.head);
    s.head = std::move(record);
    return s.head.get();
}

// The stored form of `word`, or none when it has no letters or is too long.
std::optional<std::vector<uint8_t>> StoredForm(std::string_view word) {
    std::vector<uint8_t> letters = TranslateWord(word);
    if (letters.empty() || letters.size() > kMaxUserWordLetters)
        return std::nullopt;
    return letters;
}

}  // namespace

std::vector<uint8_t> UserWordList(const std::vector<std::string>& words) {
    return ListOf(words);
}

int16_t UserDictCreate(const std::string& path, SaveResult* save) {
    try {
        FileLock lock(path);
        std::vector<uint8_t> list;
        switch (ReadListFile(path, list)) {
            case ListFile::kRead:
                return kUserDictOk;  // made meanwhile by another program: its words stay
            case ListFile::kMissing:
            case ListFile::kEmpty: {  // no words to lose
                SaveResult saved = SaveFileSafely(path, FileBytes({0, 0}));
                if (save)
                    *save = saved;
                return saved.Ok() ? kUserDictOk : kUserDictFailed;
            }
            default:
                return kUserDictFailed;
        }
    } catch (const std::bad_alloc&) {
        return kUserDictNoMemory;
    }
}

namespace {

int16_t OpenListFile(const std::string& path, UserDictionary*& record, bool sealed) {
    record = nullptr;
    try {
        auto opened = std::make_unique<UserDictionary>();
        opened->path = path;
        std::vector<uint8_t> list;
        switch (ReadListFile(path, list, sealed)) {
            case ListFile::kRead:
                Store(*opened, std::move(list));
                record = Link(std::move(opened));
                return kUserDictOk;
            case ListFile::kMissing:
            case ListFile::kUnreadable:
                return kUserDictCannotOpen;
            case ListFile::kDamaged:
                return kUserDictDamaged;
            case ListFile::kEmpty:
                return kUserDictFailed;
        }
        return kUserDictFailed;
    } catch (const std::bad_alloc&) {
        return kUserDictFailed;
    }
}

}  // namespace

int16_t UserDictOpen(const std::string& path, UserDictionary*& record) {
    return OpenListFile(path, record, false);
}

int16_t UserDictOpenSealed(const std::string& path, UserDictionary*& record) {
    return OpenListFile(path, record, true);
}

int16_t UserDictOpenForRun(UserDictionary*& record) {
    record = nullptr;
    try {
        auto opened = std::make_unique<UserDictionary>();
        Store(*opened, {0, 0});
        record = Link(std::move(opened));
        return kUserDictOk;
    } catch (const std::bad_alloc&) {
        return kUserDictFailed;
    }
}

int16_t UserDictClose(UserDictionary* record) {
    UserDictState& s = State();
    if (!s.head)
        return kUserDictNoneOpen;
    for (std::unique_ptr<UserDictionary>* link = &s.head; *link; link = &(*link)->next) {
        if (link->get() == record) {
            std::unique_ptr<UserDictionary> closing = std::move(*link);
            *link = std::move(closing->next);
            return kUserDictOk;
        }
    }
    return kUserDictNoRecord;
}

void UserDictCloseAll() {
    UserDictState& s = State();
    while (s.head)
        s.head = std::move(s.head->next);
}

int16_t UserDictAddWord(UserDictionary* record, std::string_view word) {
    if (!record)
        return kUserDictFailed;
    record->lastSave = {};
    try {
        std::optional<std::vector<uint8_t>> letters = StoredForm(word);
        if (!letters)
            return kUserDictFailed;
        if (record->path.empty()) {
            // Accepting one word at a time costs only its own letters: the
            // list is laid out when it is read.
            std::string key(letters->begin(), letters->end());
            if (!record->words.contains(key)) {
                IndexWord(*record, std::move(key));
                record->listStale = true;
            }
            return kUserDictOk;
        }
        return ChangeAndSave(*record, [&](std::vector<uint8_t>& list) {
            return InsertWord(list, *letters) != Insertion::kDamaged;
        });
    } catch (const std::bad_alloc&) {
        return kUserDictFailed;
    }
}

int16_t UserDictAddWords(UserDictionary* record, const std::vector<std::string>& words) {
    if (!record)
        return kUserDictFailed;
    record->lastSave = {};
    try {
        // Merged and laid out again in one pass, not inserted one by one:
        // an import of many words into a large list stays n log n.
        return ChangeAndSave(*record, [&](std::vector<uint8_t>& list) {
            std::optional<std::vector<std::string>> all = ListWords(list);
            if (!all)
                return false;
            for (const std::string& word : words) {
                if (std::optional<std::vector<uint8_t>> letters = StoredForm(word))
                    all->emplace_back(letters->begin(), letters->end());
            }
            std::ranges::sort(*all, CodesBefore);
            all->erase(std::unique(all->begin(), all->end()), all->end());
            list = ListOf(*all);
            return true;
        });
    } catch (const std::bad_alloc&) {
        return kUserDictFailed;
    }
}

int16_t UserDictRemoveWord(UserDictionary* record, std::string_view word) {
    if (!record || record->list.empty())
        return kUserDictFailed;
    record->lastSave = {};
    try {
        std::optional<std::vector<uint8_t>> letters = StoredForm(word);
        return ChangeAndSave(*record, [&](std::vector<uint8_t>& list) {
            if (letters) {
                size_t pos = FindEntry(list, *letters);
                if (pos != kNotFound)
                    RemoveEntry(list, pos);
            }
            return true;
        });
    } catch (const std::bad_alloc&) {
        return kUserDictFailed;
    }
}

int16_t UserDictContains(const UserDictionary* record, std::string_view word) {
    if (!record)
        return 0;
    std::optional<std::vector<uint8_t>> letters = StoredForm(word);
    return letters && record->words.contains(CodesKey(*letters)) ? 1 : 0;
}

int16_t UserDictNextWord(UserDictionary* record, std::string& word, bool restart) {
    word.clear();
    if (!record)
        return 0;
    LayOutList(*record);
    if (restart)
        RestartEnumeration(*record);
    EntryWalker walker(record->list, record->nextEntry, std::move(record->enumerated));
    bool found = false;
    while (!found && walker.Next()) {
        word = CodesToText(walker.Word());
        found = !word.empty();
    }
    record->nextEntry = walker.Pos();
    record->enumerated = walker.TakeWord();
    return found && walker.HasNext() ? 1 : 0;
}

bool AnyUserDictContains(LetterWord word) {
    size_t letters = 0;
    while (letters < word.size() && word[letters] != kEndMark)
        ++letters;
    std::string_view key = CodesKey(word.first(letters));
    for (const UserDictionary* d = State().head.get(); d; d = d->next.get()) {
        if (d->words.contains(key))
            return true;
    }
    return false;
}

std::vector<std::string> UserDictCaseForms(LetterWord small) {
    size_t letters = 0;
    while (letters < small.size() && small[letters] != kEndMark)
        ++letters;
    std::string_view key = CodesKey(small.first(letters));
    std::vector<std::string> forms;
    for (const UserDictionary* d = State().head.get(); d; d = d->next.get()) {
        auto [first, last] = d->bySmall.equal_range(key);
        for (auto it = first; it != last; ++it)
            forms.push_back(it->second);
    }
    return forms;
}

}  // namespace tarnik
