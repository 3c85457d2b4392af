#include "cli/text_input.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tarnik::cli {

namespace {

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

TextInput::~TextInput() {
    if (own_)
        close(fd_);
}

bool TextInput::Open(const std::string& path, std::string& error) {
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

bool TextInput::Fill() {
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    while (true) {
        ssize_t got = read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (got > 0) {
            end_ += static_cast<size_t>(got);
            return true;
        }
        if (got == 0) {
            eof_ = true;
            return false;
        }
        if (errno == EINTR)
            continue;
        error_ = std::strerror(errno);
        eof_ = true;
        return false;
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
            if (end_ == begin_)
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

}  // namespace tarnik::cli
