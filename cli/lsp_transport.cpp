#include "cli/lsp_transport.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <string_view>

#include "tarnik/file_io.h"

namespace tarnik::cli {

namespace {

// A header longer than this is no header.
constexpr std::size_t kMaxHeader = 64 * 1024;
constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kLengthField = "content-length:";

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Where the field name `name` (in small letters) starts in `text`, any case.
std::size_t FindField(std::string_view text, std::string_view name) {
    for (std::size_t at = 0; at + name.size() <= text.size(); ++at) {
        std::size_t k = 0;
        while (k < name.size() && Lower(text[at + k]) == name[k])
            ++k;
        if (k == name.size())
            return at;
    }
    return std::string_view::npos;
}

// Whether every line of the header is a field, "Name: value".
bool AllFields(std::string_view header) {
    for (std::size_t from = 0; from < header.size();) {
        std::size_t end = header.find("\r\n", from);
        std::string_view line = header.substr(from, end - from);
        std::size_t colon = line.find(':');
        if (colon == 0 || colon == std::string_view::npos)
            return false;
        for (char c : line.substr(0, colon)) {
            if (!(c == '-' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                  (c >= 'a' && c <= 'z')))
                return false;
        }
        if (end == std::string_view::npos)
            break;
        from = end + 2;
    }
    return true;
}

}  // namespace

bool LspReader::Take(LspFrame& frame) {
    if (skip_ > 0) {
        std::size_t passed = std::min(skip_, buffer_.size() - start_);
        start_ += passed;
        skip_ -= passed;
        if (skip_ > 0)
            return false;
    }
    if (inBody_) {
        if (buffer_.size() - start_ < bodyLength_)
            return false;
        frame.problem = std::move(pendingProblem_);
        frame.body = buffer_.substr(start_, bodyLength_);
        frame.hasBody = true;
        start_ += bodyLength_;
        inBody_ = false;
        pendingProblem_.clear();
        return true;
    }
    std::string_view rest = std::string_view(buffer_).substr(start_);
    std::size_t end = rest.find(kHeaderEnd);
    if (end == std::string_view::npos) {
        if (rest.size() <= kMaxHeader)
            return false;
        frame.problem = "a header longer than 64 KiB";
        start_ = buffer_.size();
        return true;
    }
    std::string_view header = rest.substr(0, end);
    start_ += end + kHeaderEnd.size();
    // Bytes before the field that are no field (the rest of a message whose
    // length was wrong, say) are reported; the message is still read.
    std::size_t field = FindField(header, kLengthField);
    if (field == std::string_view::npos) {
        frame.problem = "a message without a Content-Length field";
        return true;
    }
    if (!AllFields(header))
        pendingProblem_ = "bytes that are no header field before a message";
    std::string_view value = header.substr(field + kLengthField.size());
    value = value.substr(0, value.find("\r\n"));
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.remove_suffix(1);
    std::size_t length = 0;
    bool number = !value.empty() && value.size() <= 12;
    for (char c : value) {
        number = number && c >= '0' && c <= '9';
        if (number)
            length = length * 10 + static_cast<std::size_t>(c - '0');
    }
    if (!number) {
        frame.problem = "a Content-Length that is no number: " + std::string(value.substr(0, 40));
        pendingProblem_.clear();
        return true;
    }
    if (length > kMaxLspBody) {
        frame.problem = "a message of " + std::to_string(length) + " bytes, longer than 256 MiB";
        pendingProblem_.clear();
        skip_ = length;
        return true;
    }
    inBody_ = true;
    bodyLength_ = length;
    return Take(frame);
}

bool LspReader::Fill(int timeoutMs) {
    if (start_ > 0 && start_ * 2 >= buffer_.size()) {
        buffer_.erase(0, start_);
        start_ = 0;
    }
    pollfd watched{.fd = fd_, .events = POLLIN, .revents = 0};
    int ready = poll(&watched, 1, timeoutMs);
    if (ready < 0) {
        end_ = errno != EINTR;
        return !end_;
    }
    if (ready == 0)
        return false;
    char block[64 * 1024];
    ssize_t got = read(fd_, block, sizeof block);
    if (got < 0 && (errno == EINTR || errno == EAGAIN))
        return true;
    if (got <= 0) {
        end_ = true;
        return false;
    }
    buffer_.append(block, static_cast<std::size_t>(got));
    return true;
}

LspReader::Status LspReader::Next(int timeoutMs, LspFrame& frame) {
    frame = {};
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (Take(frame))
            return Status::kFrame;
        if (end_)
            return Status::kEnd;
        int wait = -1;
        if (timeoutMs >= 0) {
            auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            wait = static_cast<int>(std::max<int64_t>(0, left.count()));
        }
        if (!Fill(wait)) {
            if (end_)
                return Status::kEnd;
            if (timeoutMs >= 0 && Clock::now() >= deadline)
                return Status::kTimeout;
        }
    }
}

bool WriteLspMessage(int fd, const std::string& body) {
    // The header and the body apart: a body of megabytes is not copied.
    return WriteWholeDescriptor(fd,
                                "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n") &&
           WriteWholeDescriptor(fd, body);
}

}  // namespace tarnik::cli
