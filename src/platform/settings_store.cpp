#include "platform/settings_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <optional>
#include <string>
#include <system_error>
#include <utility>

#include "platform/profile_document.h"
#include "platform/show_message.h"
#include "tarnik/safe_save.h"

namespace fs = std::filesystem;

namespace tarnik {

namespace {

constexpr std::uintmax_t kLargestSettingsFile = 4u << 20;

enum class FileState { kMissing, kRead, kUnusable };

struct LoadedFile {
    FileState state = FileState::kMissing;
    int osError = 0;  // why an unusable file could not be read
    ProfileDocument document;
};

LoadedFile Load(const std::string& path) {
    LoadedFile loaded;
    std::error_code error;
    if (path.empty() || !fs::exists(path, error))
        return loaded;
    loaded.state = FileState::kUnusable;
    std::uintmax_t size = fs::file_size(path, error);
    if (error || size > kLargestSettingsFile) {
        loaded.osError = error ? error.value() : EFBIG;
        return loaded;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        loaded.osError = errno != 0 ? errno : EIO;
        return loaded;
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    loaded.state = FileState::kRead;
    loaded.document = ProfileDocument(text);
    return loaded;
}

class SettingsStore {
  public:
    ~SettingsStore() { (void)Flush(); }

    void SetTarget(const char* file, const char* section) {
        if (file && (file_ != file || inMemory_)) {
            (void)Flush();
            Leave();
            file_ = file;
        }
        if (section)
            section_ = section;
    }

    std::optional<std::string> Get(std::string_view key) const {
        if (pending_)
            return Copy(pending_->Find(section_, key));
        LoadedFile loaded = Load(file_);
        if (loaded.state != FileState::kRead)
            return std::nullopt;
        return Copy(loaded.document.Find(section_, key));
    }

    void UseInMemory(std::string_view text) {
        (void)Flush();
        Leave();
        file_.clear();
        pending_ = ProfileDocument(std::string(text));
        inMemory_ = true;
    }

    void Put(std::string_view key, std::string_view value) {
        if ((file_.empty() && !inMemory_) || section_.empty())
            return;
        if (!pending_) {
            LoadedFile loaded = Load(file_);
            if (loaded.state == FileState::kUnusable) {
                // Rewriting a file that could not be read would lose its
                // other sections: the write is refused, and the flush says so.
                unwritable_ = SaveResult{SaveStep::kTarget, loaded.osError, {}};
                return;
            }
            pending_ = std::move(loaded.document);
        }
        pending_->Set(section_, key, value);
    }

    // Writes nothing while the store is in memory: that store has no file. A
    // failed save keeps the writes pending.
    SaveResult Flush() {
        SaveResult refused = std::exchange(unwritable_, SaveResult{});
        if (inMemory_ || !pending_)
            return refused;
        SaveResult saved = SaveFileSafely(file_, pending_->Text());
        if (saved.Ok())
            pending_.reset();
        return saved.Ok() ? refused : saved;
    }

    // Forgets what is pending, also what a failed flush kept: it belongs to
    // the target being left.
    void Leave() {
        pending_.reset();
        inMemory_ = false;
    }

    std::string Text() const {
        if (pending_)
            return pending_->Text();
        LoadedFile loaded = Load(file_);
        return loaded.state == FileState::kRead ? loaded.document.Text() : std::string();
    }

    const std::string& File() const { return file_; }
    const std::string& Section() const { return section_; }

  private:
    static std::optional<std::string> Copy(std::optional<std::string_view> value) {
        if (!value)
            return std::nullopt;
        return std::string(*value);
    }

    std::string file_;
    std::string section_;
    std::optional<ProfileDocument> pending_;
    bool inMemory_ = false;  // pending_ is the whole store, and no file is behind it
    SaveResult unwritable_;  // a write refused since the last flush
};

SettingsStore& Store() {
    static SettingsStore store;
    return store;
}

}  // namespace

std::string StoreText() {
    return Store().Text();
}

void UseSettingsInMemory(std::string_view text) {
    Store().UseInMemory(text);
}

void SetStoreTarget(const char* file, const char* section) {
    Store().SetTarget(file, section);
}

const std::string& StoreFile() {
    return Store().File();
}

const std::string& StoreSection() {
    return Store().Section();
}

std::size_t GetString(std::string_view key, std::string_view defaultValue, char* buffer,
                      std::size_t size) {
    if (buffer == nullptr || size == 0)
        return 0;
    std::optional<std::string> value = Store().Get(key);
    std::string_view text = value ? std::string_view(*value) : defaultValue;
    std::size_t length = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return length;
}

int32_t GetInt(std::string_view key, int32_t defaultValue) {
    char text[256];
    std::size_t length = GetString(key, std::to_string(defaultValue), text, sizeof text);
    std::string_view number(text, length);
    number.remove_prefix(std::min(number.find_first_not_of(" \t"), number.size()));
    bool negative = !number.empty() && number.front() == '-';
    if (!number.empty() && (number.front() == '-' || number.front() == '+')) {
        number.remove_prefix(1);
    }
    int64_t value = 0;
    for (char c : number) {
        if (c < '0' || c > '9')
            break;
        value = std::min<int64_t>(value * 10 + (c - '0'), int64_t{1} << 32);
    }
    if (negative)
        value = -value;
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

void PutString(std::string_view key, std::string_view value) {
    Store().Put(key, value);
}

void PutInt(std::string_view key, int32_t value) {
    Store().Put(key, std::to_string(value));
}

SaveResult FlushStore() {
    return Store().Flush();
}

bool FlushStoreOrTell() {
    SaveResult saved = FlushStore();
    if (!saved.Ok())
        ShowSaveFailure("Can't save the settings.", 0, saved.Describe(StoreFile()));
    return saved.Ok();
}

}  // namespace tarnik
