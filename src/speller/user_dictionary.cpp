#include "speller/user_dictionary.h"

#include <new>
#include <optional>
#include <span>

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

  private:
    List list_;
    size_t pos_ = 0;
    std::vector<uint8_t> word_;
};

bool Save(UserDictionary& record) {
    if (!record.file)
        return true;  // a dictionary for one run only
    uint32_t length = static_cast<uint32_t>(record.list.size());
    uint8_t head[4] = {static_cast<uint8_t>(length), static_cast<uint8_t>(length >> 8),
                       static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
    return std::fseek(record.file, 0, SEEK_SET) == 0 &&
           std::fwrite(head, 1, sizeof head, record.file) == sizeof head &&
           std::fwrite(record.list.data(), 1, record.list.size(), record.file) ==
               record.list.size() &&
           std::fflush(record.file) == 0;
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

UserDictionary::~UserDictionary() {
    if (file)
        std::fclose(file);
}

int16_t UserDictCreate(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return kUserDictFailed;
    static constexpr uint8_t kEmpty[6] = {2, 0, 0, 0, 0, 0};
    bool written = std::fwrite(kEmpty, 1, sizeof kEmpty, file) == sizeof kEmpty;
    return std::fclose(file) == 0 && written ? kUserDictOk : kUserDictFailed;
}

int16_t UserDictOpen(const std::string& path, UserDictionary*& record) {
    record = nullptr;
    try {
        auto opened = std::make_unique<UserDictionary>();
        std::FILE* file = opened->file = std::fopen(path.c_str(), "r+b");
        if (!file)
            return kUserDictCannotOpen;
        opened->path = path;
        long end = -1;
        if (std::fseek(file, 0, SEEK_END) == 0)
            end = std::ftell(file);
        if (end < 0 || std::fseek(file, 0, SEEK_SET) != 0)
            return kUserDictFailed;
        uint64_t available = end > 4 ? static_cast<uint64_t>(end) - 4 : 0;
        uint8_t head[4];
        uint64_t length = available;
        if (std::fread(head, 1, sizeof head, file) == sizeof head) {
            uint32_t stated =
                head[0] | (head[1] << 8) | (head[2] << 16) | (uint32_t{head[3]} << 24);
            if (stated <= available)
                length = stated;
        }
        opened->list.resize(length);
        size_t read = std::fread(opened->list.data(), 1, opened->list.size(), file);
        if (read == 0)
            return kUserDictFailed;
        opened->list.resize(read);
        record = Link(std::move(opened));
        return kUserDictOk;
    } catch (const std::bad_alloc&) {
        return kUserDictFailed;
    }
}

int16_t UserDictOpenForRun(UserDictionary*& record) {
    record = nullptr;
    try {
        auto opened = std::make_unique<UserDictionary>();
        opened->list = {0, 0};
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
    std::optional<std::vector<uint8_t>> letters = StoredForm(word);
    if (!letters || InsertWord(record->list, *letters) == Insertion::kDamaged) {
        return kUserDictFailed;
    }
    return Save(*record) ? kUserDictOk : kUserDictFailed;
}

int16_t UserDictRemoveWord(UserDictionary* record, std::string_view word) {
    if (!record || record->list.empty())
        return kUserDictFailed;
    if (std::optional<std::vector<uint8_t>> letters = StoredForm(word)) {
        size_t pos = FindEntry(record->list, *letters);
        if (pos != kNotFound)
            RemoveEntry(record->list, pos);
    }
    return Save(*record) ? kUserDictOk : kUserDictFailed;
}

int16_t UserDictContains(const UserDictionary* record, std::string_view word) {
    if (!record)
        return 0;
    std::optional<std::vector<uint8_t>> letters = StoredForm(word);
    return letters && FindEntry(record->list, *letters) != kNotFound ? 1 : 0;
}

int16_t UserDictNextWord(UserDictionary* record, std::string& word, bool restart) {
    word.clear();
    if (!record)
        return 0;
    if (restart)
        record->position = 1;
    EntryWalker walker(record->list);
    for (int n = 1; n < record->position; ++n) {
        if (!walker.Next())
            return 0;
    }
    while (walker.Next()) {
        ++record->position;
        word = CodesToText(walker.Word());
        if (!word.empty())
            return walker.HasNext() ? 1 : 0;
    }
    return 0;
}

bool AnyUserDictContains(LetterWord word) {
    size_t letters = 0;
    while (letters < word.size() && word[letters] != kEndMark)
        ++letters;
    for (const UserDictionary* d = State().head.get(); d; d = d->next.get()) {
        if (FindEntry(d->list, word.first(letters)) != kNotFound)
            return true;
    }
    return false;
}

}  // namespace tarnik
