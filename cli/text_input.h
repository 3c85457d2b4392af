// Reading text files and standard input for the word-level commands: in large
// blocks, handing out each line in pieces of bounded size, so that a line of any
// length is read in fixed memory.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnik::cli {

// A line longer than this is handed out in pieces: each piece ends after its last
// space or tab (so no word is cut), or, when it holds none, at this length (never
// inside a UTF-8 sequence).
constexpr size_t kMaxPiece = 64 * 1024;

class TextInput {
  public:
    // "-" (or empty) is standard input, which is never closed.
    TextInput() = default;
    ~TextInput();
    TextInput(const TextInput&) = delete;
    TextInput& operator=(const TextInput&) = delete;

    // Opens `path`; false with the system's reason in `error`.
    bool Open(const std::string& path, std::string& error);

    // The next piece of text: false at the end of the input or on a read error
    // (see Error). `lineEnds` is true when the piece ends its line; the line's
    // end (LF, or CR LF) is not part of it. Each read takes what is there at
    // once, so a line typed or sent by an editor is handed out as soon as it
    // is complete.
    bool NextPiece(std::string_view& piece, bool& lineEnds);

    // The system's reason for a failed read, or empty.
    const std::string& Error() const { return error_; }

  private:
    bool Fill();

    int fd_ = 0;
    bool own_ = false;
    bool eof_ = false;
    std::vector<char> buffer_ = std::vector<char>(256 * 1024);
    size_t begin_ = 0;  // the unread data is [begin_, end_)
    size_t end_ = 0;
    std::string error_;
};

// The name a file is reported by: "-" for standard input.
std::string InputName(const std::string& path);

}  // namespace tarnik::cli
