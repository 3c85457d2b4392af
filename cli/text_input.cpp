#include "cli/text_input.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>

#include "tarnik/safe_save.h"
#include "tarnik/text_codec.h"

namespace tarnik::cli {

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Bytes of `bytes` that end with a whole UTF-8 sequence; the rest may be a
// sequence cut by the end of a read, and waits for the next one.
size_t WholeSequences(std::string_view bytes) {
    size_t lead = bytes.size();
    int continuation = 0;
    while (lead > 0 && continuation < 3 && IsContinuationByte(bytes[lead - 1])) {
        --lead;
        ++continuation;
    }
    if (lead == 0)
        return bytes.size();
    auto first = static_cast<unsigned char>(bytes[lead - 1]);
    int length = first < 0xC0 ? 1 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
    return length > continuation + 1 ? lead - 1 : bytes.size();
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

const char* IconvName(TextEncoding encoding) {
    return encoding == TextEncoding::kIso88592 ? "ISO-8859-2" : "WINDOWS-1250";
}

const char* DisplayName(TextEncoding encoding) {
    switch (encoding) {
        case TextEncoding::kUtf8:
            return "UTF-8";
        case TextEncoding::kIso88592:
            return "ISO-8859-2";
        case TextEncoding::kWindows1250:
            return "Windows-1250";
    }
    return "";
}

// At most this many bytes of UTF-8 come of one input byte: ISO-8859-2 holds only
// characters below U+0800, Windows-1250 also „ ” – — € ‰ ™ ...; two bytes of
// UTF-16 become at most three.
size_t Growth(bool converting) {
    return converting ? 3 : 1;
}

// Where `bytes` hold a NUL, which no text of any of the 8-bit encodings holds.
std::optional<size_t> FindNul(std::string_view bytes) {
    size_t at = bytes.find('\0');
    return at == std::string_view::npos ? std::nullopt : std::optional<size_t>(at);
}

std::string NulError(uint64_t offset) {
    return "not text (a NUL byte at offset " + std::to_string(offset) +
           "; UTF-16 is read only when it starts with its byte-order mark)";
}

}  // namespace

bool TextEncodingFromName(const std::string& name, TextEncoding& encoding) {
    const std::string lower = Lower(name);
    if (lower == "utf-8" || lower == "utf8")
        encoding = TextEncoding::kUtf8;
    else if (lower == "iso-8859-2" || lower == "iso8859-2" || lower == "latin2")
        encoding = TextEncoding::kIso88592;
    else if (lower == "windows-1250" || lower == "cp1250")
        encoding = TextEncoding::kWindows1250;
    else
        return false;
    return true;
}

TextInput::TextInput(TextEncoding encoding) : encoding_(encoding) {}

TextInput::~TextInput() {
    if (own_)
        close(fd_);
    if (converter_)
        iconv_close(static_cast<iconv_t>(converter_));
}

bool TextInput::OpenConverter(const char* from, std::string& error) {
    iconv_t converter = iconv_open("UTF-8", from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        error = "cannot read " + decoding_ + ": " + std::strerror(errno);
        return false;
    }
    converter_ = converter;
    return true;
}

bool TextInput::Open(const std::string& path, std::string& error) {
    decoding_ = DisplayName(encoding_);
    if (encoding_ != TextEncoding::kUtf8 && !OpenConverter(IconvName(encoding_), error))
        return false;
    if (path.empty() || path == "-")
        return true;
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    fd_ = fd;
    own_ = true;
    return true;
}

// Moves the decoded text of raw_ to the end of buffer_: `taken` bytes of raw_,
// those that end with a whole character (all of them at the end of the input).
// False with error_ set when a byte is not text of the encoding.
bool TextInput::Decode(size_t& taken) {
    std::string_view raw(raw_.data(), rawEnd_);
    if (!converter_) {
        taken = eof_ ? raw.size() : WholeSequences(raw);
        if (std::optional<size_t> bad = FindBadUtf8(raw.substr(0, taken))) {
            error_ = "not UTF-8 text (bad byte at offset " + std::to_string(offset_ + *bad) + ")";
            return false;
        }
        if (std::optional<size_t> nul = FindNul(raw.substr(0, taken))) {
            error_ = NulError(offset_ + *nul);
            return false;
        }
        std::memcpy(buffer_.data() + end_, raw.data(), taken);
        end_ += taken;
        return true;
    }
    if (encoding_ != TextEncoding::kUtf8) {  // an 8-bit encoding
        if (std::optional<size_t> nul = FindNul(raw)) {
            error_ = NulError(offset_ + *nul);
            return false;
        }
    }
    char* in = raw_.data();
    size_t inLeft = rawEnd_;
    char* out = buffer_.data() + end_;
    size_t outLeft = buffer_.size() - end_;
    size_t converted = iconv(static_cast<iconv_t>(converter_), &in, &inLeft, &out, &outLeft);
    end_ = static_cast<size_t>(out - buffer_.data());
    taken = static_cast<size_t>(in - raw_.data());
    // A character cut by the end of a read waits for the next one.
    if (converted == static_cast<size_t>(-1) && (errno != EINVAL || eof_)) {
        error_ = "not " + decoding_ + " text (bad byte at offset " +
                 std::to_string(offset_ + taken) + ")";
        return false;
    }
    return true;
}

// At the start of UTF-8 input, a UTF-16 byte-order mark switches to UTF-16 and
// is dropped. False while too few bytes are there to tell, or when the
// converter cannot be made (error set).
bool TextInput::LookForByteOrderMark(std::string& error) {
    if (markLooked_ || encoding_ != TextEncoding::kUtf8)
        return true;
    auto byte = [&](size_t at) { return static_cast<unsigned char>(raw_[at]); };
    bool maybe = rawEnd_ > 0 && (byte(0) == 0xFF || byte(0) == 0xFE);
    if (maybe && rawEnd_ < 2 && !eof_)
        return false;
    markLooked_ = true;
    const char* from = nullptr;
    if (rawEnd_ >= 2 && byte(0) == 0xFF && byte(1) == 0xFE)
        from = "UTF-16LE";
    else if (rawEnd_ >= 2 && byte(0) == 0xFE && byte(1) == 0xFF)
        from = "UTF-16BE";
    if (!from)
        return true;
    decoding_ = from;
    if (!OpenConverter(from, error))
        return false;
    std::memmove(raw_.data(), raw_.data() + 2, rawEnd_ - 2);
    rawEnd_ -= 2;
    offset_ += 2;
    return true;
}

bool TextInput::Fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    const size_t before = end_;
    while (end_ == before && !eof_) {
        size_t room = (buffer_.size() - end_) / Growth(converter_ != nullptr || !markLooked_);
        size_t want = std::min(raw_.size(), room) - rawEnd_;
        ssize_t got = read(fd_, raw_.data() + rawEnd_, want);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error_ = std::strerror(errno);
            eof_ = true;
            return false;
        }
        rawEnd_ += static_cast<size_t>(got);
        eof_ = got == 0;
        if (!LookForByteOrderMark(error_)) {
            if (!error_.empty()) {
                eof_ = true;
                return false;
            }
            continue;
        }
        size_t taken = 0;
        if (!Decode(taken)) {
            eof_ = true;
            return false;
        }
        std::memmove(raw_.data(), raw_.data() + taken, rawEnd_ - taken);
        rawEnd_ -= taken;
        offset_ += taken;
    }
    return end_ > before;
}

bool TextInput::NextBlock(std::string_view& block) {
    while (begin_ == end_) {
        if (eof_ || !Fill())
            return false;
    }
    block = std::string_view(buffer_.data() + begin_, end_ - begin_);
    begin_ = end_;
    return true;
}

bool TextInput::NextLine(std::string& line, size_t most) {
    line.clear();
    for (;;) {
        if (begin_ < end_) {
            const char* data = buffer_.data();
            const void* newline = std::memchr(data + begin_, '\n', end_ - begin_);
            size_t stop = newline ? static_cast<size_t>(static_cast<const char*>(newline) - data) + 1
                                  : end_;
            line.append(data + begin_, stop - begin_);
            begin_ = stop;
            if (line.size() > most) {
                error_ = "a line too long to work on (more than " + std::to_string(most >> 20) +
                         " MiB); split it into shorter lines";
                eof_ = true;
                return false;
            }
            if (newline)
                return true;
        }
        if (eof_ || !Fill())
            return !line.empty() && error_.empty();
    }
}

bool TextInput::NextPiece(std::string_view& piece, bool& lineEnds) {
    size_t searched = begin_;
    while (true) {
        const char* data = buffer_.data();
        size_t window =
            std::min(end_, begin_ + kMaxPiece + 1);  // a line end just past a full piece counts
        const void* newline =
            searched < window ? std::memchr(data + searched, '\n', window - searched) : nullptr;
        if (newline) {
            size_t at = static_cast<size_t>(static_cast<const char*>(newline) - data);
            size_t length = at - begin_;
            if (length > 0 && data[at - 1] == '\r')
                --length;
            piece = std::string_view(data + begin_, length);
            begin_ = at + 1;
            lineEnds = true;
            return true;
        }
        if (end_ - begin_ >= kMaxPiece) {
            size_t cut = kMaxPiece;
            while (cut > 0 && data[begin_ + cut - 1] != ' ' && data[begin_ + cut - 1] != '\t')
                --cut;
            if (cut == 0) {
                cut = kMaxPiece;
                while (cut > 0 && IsContinuationByte(data[begin_ + cut]))
                    --cut;
                if (cut == 0)
                    cut = kMaxPiece;
            }
            piece = std::string_view(data + begin_, cut);
            begin_ += cut;
            lineEnds = false;
            return true;
        }
        size_t unread = end_ - begin_;
        if (eof_ || !Fill()) {
            if (end_ == begin_ || !error_.empty())
                return false;
            // The last line has no line end.
            size_t length = end_ - begin_;
            if (buffer_[begin_ + length - 1] == '\r')
                --length;
            piece = std::string_view(buffer_.data() + begin_, length);
            begin_ = end_;
            lineEnds = true;
            return true;
        }
        searched = begin_ + unread;
    }
}

std::string InputName(const std::string& path) {
    return path.empty() ? "-" : path;
}

std::string MessageName(const std::string& path) {
    return path.empty() || path == "-" ? "standard input" : path;
}

std::optional<std::string> InPlaceRefusal(const std::string& path) {
    struct stat status;
    if (::stat(path.c_str(), &status) != 0 || S_ISREG(status.st_mode))
        return std::nullopt;
    return SaveResult{SaveStep::kNotAFile}.Describe(path);
}

}  // namespace tarnik::cli
