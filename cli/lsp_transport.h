// The transport of the Language Server Protocol: JSON-RPC messages on a byte
// stream, each a header of "Name: value" lines ended by an empty line, the
// "Content-Length" field giving the length of the JSON body that follows.
#pragma once

#include <cstddef>
#include <string>

namespace tarnik::cli {

// The longest body taken; a longer one is passed over whole and reported.
inline constexpr std::size_t kMaxLspBody = std::size_t{256} << 20;

// One message read, or what was wrong with the bytes where one should have
// been. Both may be set: a header with bytes before its fields that are no
// field is reported, and its message is still read.
struct LspFrame {
    std::string problem = {};
    std::string body = {};
    bool hasBody = false;
};

class LspReader {
  public:
    explicit LspReader(int fd) : fd_(fd) {}

    enum class Status { kFrame, kTimeout, kEnd };

    // Waits at most `timeoutMs` milliseconds (-1: as long as it takes) for the
    // next frame. kEnd when the input ends (the client is gone), even in the
    // middle of a message.
    Status Next(int timeoutMs, LspFrame& frame);

  private:
    bool Take(LspFrame& frame);  // a frame from what is read already
    bool Fill(int timeoutMs);    // false when nothing more came in time

    int fd_;
    std::string buffer_;
    std::size_t start_ = 0;  // what is before it has been taken
    std::size_t skip_ = 0;   // bytes of a refused body still to pass over
    std::size_t bodyLength_ = 0;
    bool inBody_ = false;  // the header is read; the body is awaited
    std::string pendingProblem_;
    bool end_ = false;
};

// Writes one message; false when the output is closed.
bool WriteLspMessage(int fd, const std::string& body);

}  // namespace tarnik::cli
