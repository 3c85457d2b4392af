#include "hyphenation/user_exceptions.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "files/byte_order.h"
#include "files/file_lock.h"
#include "hyphenation/exception_list.h"
#include "tarnik/safe_save.h"

namespace tarnik {
namespace {

using Block = std::vector<uint8_t>;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Reads the file into `block`; 0 or a load error.
int16_t ReadUserFile(const std::string& path, Block& block) {
    File file(std::fopen(path.c_str(), "rb"));
    if (!file)
        return kUserFileCannotOpen;
    uint8_t raw[4];
    if (std::fread(raw, 1, 4, file.get()) != 4)
        return kUserFileSizeShort;
    auto size = static_cast<int32_t>(ReadLittle32(raw));
    if (size > 0xFFFFF)
        size = static_cast<int32_t>(ReadBig32(raw));
    if (size <= 0)
        return kUserFileBadSize;
    std::error_code error;
    uintmax_t fileSize = std::filesystem::file_size(path, error);
    if (error || fileSize < 4 || fileSize - 4 < static_cast<uintmax_t>(size))
        return kUserFileDamaged;
    try {
        block.assign(static_cast<size_t>(size), 0);
    } catch (const std::bad_alloc&) {
        return kUserFileBadSize;
    }
    if (std::fread(block.data(), 1, block.size(), file.get()) != block.size() ||
        !IsWellFormedList(block)) {
        block.clear();
        return kUserFileDamaged;
    }
    return 0;
}

// Gives the list a file of its own again when the one at `path` cannot be read:
// the unreadable file is kept as a backup that never replaces an older one.
// Something other than a file (a folder of that name) is left alone.
int16_t SetAsideUnreadable(HyphDict& dict, const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return kUserFileCannotOpen;
    BackupResult backup = MoveFileAside(path);
    if (!backup.ok)
        return kUserFileCannotOpen;
    dict.userBackupPath = backup.backupPath;
    return 0;
}

// Makes a change to the user list as the file holds it now, under the file's
// lock, and saves it: words another program saved meanwhile are kept. `change`
// gives 0 when it changed the list, else its result (nothing is saved). When the
// save fails the list goes back to what the file holds.
template <typename Change>
int16_t ChangeAndSave(HyphDict& dict, Change change) {
    Block& list = dict.blocks[kUserListSlot];
    if (dict.userPath.empty())
        return change(list);  // a list that was never given a file
    FileLock lock(dict.userPath);
    Block current;
    std::error_code error;
    if (ReadUserFile(dict.userPath, current) == 0)
        list = std::move(current);
    else if (std::filesystem::exists(dict.userPath, error))
        SetAsideUnreadable(dict, dict.userPath);
    Block before = list;
    if (int16_t result = change(list); result != 0)
        return result;
    if (int16_t saved = SaveUserExceptions(dict); saved != 0) {
        list = std::move(before);
        return saved;
    }
    return 0;
}

}  // namespace

int16_t SaveUserExceptions(HyphDict& dict) {
    const Block& list = dict.blocks[kUserListSlot];
    if (dict.userPath.empty())
        return kUserFileCannotCreate;  // no file was ever loaded
    std::string bytes(4 + list.size(), '\0');
    WriteLittle32(reinterpret_cast<uint8_t*>(bytes.data()), static_cast<uint32_t>(list.size()));
    std::copy(list.begin(), list.end(), bytes.begin() + 4);
    dict.lastSave = SaveFileSafely(dict.userPath, bytes);
    switch (dict.lastSave.step) {
        case SaveStep::kDone:
            return 0;
        case SaveStep::kTarget:
        case SaveStep::kCreate:
            return kUserFileCannotCreate;
        default:
            return kUserFileListNotWritten;
    }
}

int16_t LoadUserExceptions(HyphDict& dict, const std::string& path) {
    dict.userPath = path;
    dict.userBackupPath.clear();
    dict.listCursor = 0;
    Block block;
    int16_t readResult = ReadUserFile(path, block);
    if (readResult == 0) {
        dict.blocks[kUserListSlot] = std::move(block);
        return 0;
    }
    if (dict.blocks[kUserListSlot].empty())
        return kUserFileNoSeed;
    FileLock lock(path);
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return SaveUserExceptions(dict);
    // Another program may have made the file meanwhile.
    if (ReadUserFile(path, block) == 0) {
        dict.blocks[kUserListSlot] = std::move(block);
        return 0;
    }
    // The file is there but unusable: keep it for the user before starting afresh.
    if (SetAsideUnreadable(dict, path) != 0)
        return kUserFileCannotOpen;
    SaveUserExceptions(dict);
    return readResult;
}

int IsHyphException(const HyphDict& dict, std::string_view word) {
    const Block& list = dict.blocks[kUserListSlot];
    Block mapped;
    for (char c : word) {
        if (c == '\0')
            break;
        mapped.push_back(MapInput(dict, static_cast<uint8_t>(c)));
    }
    return !list.empty() && FindInList(list, mapped).found ? 1 : 0;
}

int16_t AddHyphException(HyphDict& dict, std::string_view hyphenated) {
    if (dict.blocks[kUserListSlot].empty())
        return kHyphExceptionNoList;
    try {
        ExceptionWord parsed = ParseHyphenatedWord(dict.blocks[kInputMapSlot], hyphenated);
        return ChangeAndSave(dict, [&](Block& list) -> int16_t {
            switch (InsertInList(list, parsed)) {
                case ListInsert::kTooLong:
                    return kHyphExceptionTooLong;
                case ListInsert::kPresent:
                    return kHyphExceptionPresent;
                default:
                    return kHyphExceptionDone;
            }
        });
    } catch (const std::bad_alloc&) {
        return kHyphExceptionNoList;
    }
}

int16_t RemoveHyphException(HyphDict& dict, std::string_view word) {
    if (dict.blocks[kUserListSlot].empty())
        return kHyphExceptionPresent;
    try {
        ExceptionWord parsed = ParseHyphenatedWord(dict.blocks[kInputMapSlot], word);
        return ChangeAndSave(dict, [&](Block& list) -> int16_t {
            ListPlace place = FindInList(list, parsed.word);
            if (!place.found)
                return kHyphExceptionPresent;
            ListEntry entry;
            ReadListEntry(list, place.offset, entry);
            auto first = list.begin() + static_cast<std::ptrdiff_t>(place.offset);
            list.erase(first, first + static_cast<std::ptrdiff_t>(entry.size));
            return kHyphExceptionDone;
        });
    } catch (const std::bad_alloc&) {
        return kHyphExceptionNoList;
    }
}

int NextHyphException(HyphDict& dict, std::string& out, bool restart) {
    if (restart)
        dict.listCursor = 0;
    out.clear();
    ListEntry entry;
    const Block& list = dict.blocks[kUserListSlot];
    if (ReadListEntry(list, dict.listCursor, entry) != ListRead::kEntry)
        return 0;
    dict.listCursor += static_cast<uint32_t>(entry.size);
    for (size_t i = 0; i < entry.word.size(); ++i) {
        out.push_back(static_cast<char>(MapOutput(dict, entry.word[i])));
        out.append(std::count(entry.breaks.begin(), entry.breaks.end(), i + 1), '-');
    }
    return 1;
}

}  // namespace tarnik
