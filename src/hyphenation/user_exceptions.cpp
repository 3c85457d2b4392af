#include "hyphenation/user_exceptions.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "hyphenation/exception_list.h"

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
    auto size = static_cast<int32_t>(uint32_t{raw[0]} | (uint32_t{raw[1]} << 8) |
                                     (uint32_t{raw[2]} << 16) | (uint32_t{raw[3]} << 24));
    if (size > 0xFFFFF)
        size = static_cast<int32_t>(uint32_t{raw[3]} | (uint32_t{raw[2]} << 8) |
                                    (uint32_t{raw[1]} << 16) | (uint32_t{raw[0]} << 24));
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

int16_t WriteUserFile(const std::string& path, const Block& block) {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file)
        return kUserFileCannotCreate;
    auto size = static_cast<uint32_t>(block.size());
    uint8_t raw[4] = {static_cast<uint8_t>(size), static_cast<uint8_t>(size >> 8),
                      static_cast<uint8_t>(size >> 16), static_cast<uint8_t>(size >> 24)};
    if (std::fwrite(raw, 1, 4, file.get()) != 4)
        return kUserFileSizeNotWritten;
    if (std::fwrite(block.data(), 1, block.size(), file.get()) != block.size())
        return kUserFileListNotWritten;
    if (std::fclose(file.release()) != 0)
        return kUserFileListNotWritten;
    return 0;
}

}  // namespace

int16_t SaveUserExceptions(const HyphDict& dict) {
    const Block& list = dict.blocks[kUserListSlot];
    if (dict.userPath.empty())
        return kUserFileCannotCreate;  // no file was ever loaded
    // Named per process, so that two programs saving the same list at once never
    // write into one temporary file.
    std::string temporary = dict.userPath + ".tmp" + std::to_string(getpid());
    int16_t result = WriteUserFile(temporary, list);
    if (result == kUserFileCannotCreate)
        return WriteUserFile(dict.userPath, list);  // a folder we may not add files to
    std::error_code error;
    if (result == 0)
        std::filesystem::rename(temporary, dict.userPath, error);
    if (result != 0 || error) {
        std::filesystem::remove(temporary, error);
        return result != 0 ? result : int16_t{kUserFileCannotCreate};
    }
    return 0;
}

int16_t LoadUserExceptions(HyphDict& dict, const std::string& path) {
    dict.userPath = path;
    dict.listCursor = 0;
    Block block;
    int16_t readResult = ReadUserFile(path, block);
    if (readResult == 0) {
        dict.blocks[kUserListSlot] = std::move(block);
        return 0;
    }
    if (dict.blocks[kUserListSlot].empty())
        return kUserFileNoSeed;
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return SaveUserExceptions(dict);
    // The file is there but unusable: keep it for the user before starting afresh.
    // Something other than a file (a folder of that name) is left alone.
    if (!std::filesystem::is_regular_file(path, error))
        return kUserFileCannotOpen;
    std::filesystem::rename(path, path + ".bak", error);
    if (!error)
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
    Block& list = dict.blocks[kUserListSlot];
    if (list.empty())
        return kHyphExceptionNoList;
    ListInsert result;
    try {
        result = InsertInList(list, ParseHyphenatedWord(dict.blocks[kInputMapSlot], hyphenated));
    } catch (const std::bad_alloc&) {
        return kHyphExceptionNoList;
    }
    if (result == ListInsert::kTooLong)
        return kHyphExceptionTooLong;
    if (result == ListInsert::kPresent)
        return kHyphExceptionPresent;
    SaveUserExceptions(dict);
    return kHyphExceptionDone;
}

int16_t RemoveHyphException(HyphDict& dict, std::string_view word) {
    Block& list = dict.blocks[kUserListSlot];
    if (list.empty())
        return kHyphExceptionPresent;
    ExceptionWord parsed = ParseHyphenatedWord(dict.blocks[kInputMapSlot], word);
    ListPlace place = FindInList(list, parsed.word);
    if (!place.found)
        return kHyphExceptionPresent;
    ListEntry entry;
    ReadListEntry(list, place.offset, entry);
    auto first = list.begin() + static_cast<std::ptrdiff_t>(place.offset);
    list.erase(first, first + static_cast<std::ptrdiff_t>(entry.size));
    SaveUserExceptions(dict);
    return kHyphExceptionDone;
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
