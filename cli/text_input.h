// Reading the text the commands work on, from files and standard input: the one
// place where input is decoded. Text comes in as UTF-8 (the default), ISO-8859-2
// or Windows-1250, and goes out as UTF-8; input that is not text of its encoding
// is refused with the offset of the first bad byte. UTF-16 is read when it starts
// with its byte-order mark (FF FE or FE FF) and UTF-8 was not overridden; a NUL
// byte is no text in any encoding, so UTF-16 without its mark is refused rather
// than read as letters with NULs between them. It is read in large blocks,
// and handed out either as it comes (NextBlock) or a line at a time in pieces of
// bounded size (NextPiece), so that a line of any length is read in fixed memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarnik::cli {

enum class TextEncoding { kUtf8, kIso88592, kWindows1250 };

// The encoding by one of its names, in any case: utf-8, utf8; iso-8859-2,
// iso8859-2, latin2; windows-1250, cp1250. False for any other name.
bool TextEncodingFromName(const std::string& name, TextEncoding& encoding);

// A line longer than this is handed out in pieces: each piece ends after its last
// space or tab (so no word is cut), or, when it holds none, at this length (never
// inside a UTF-8 sequence).
constexpr size_t kMaxPiece = 64 * 1024;

// The longest line NextLine hands out.
constexpr size_t kMostLine = 64 << 20;

class TextInput {
  public:
    // "-" (or empty) is standard input, which is never closed.
    explicit TextInput(TextEncoding encoding = TextEncoding::kUtf8);
    ~TextInput();
    TextInput(const TextInput&) = delete;
    TextInput& operator=(const TextInput&) = delete;

    // Opens `path`; false with the system's reason in `error`.
    bool Open(const std::string& path, std::string& error);

    // The next piece of text: false at the end of the input, or on a read error
    // or bad input (see Error). `lineEnds` is true when the piece ends its line;
    // the line's end (LF, or CR LF) is not part of it. Each read takes what is
    // there at once, so a line typed or sent by an editor is handed out as soon
    // as it is complete.
    bool NextPiece(std::string_view& piece, bool& lineEnds);

    // The next whole line, with its line end ("\n" or "\r\n"; the last line
    // may have none), in `line` (replaced): false at the end of the input, or on
    // an error (see Error). A line is held whole: one longer than `most` bytes
    // is refused (an error), so that an endless line of a device is not held
    // until memory runs out.
    bool NextLine(std::string& line, size_t most = kMostLine);

    // The text read since the last call, line ends and all, never cut inside a
    // character: false at the end of the input, or on an error (see Error).
    bool NextBlock(std::string_view& block);

    // Why the input could not be read to its end ("Is a directory", "not UTF-8
    // text (bad byte at offset 17)"), or empty.
    const std::string& Error() const { return error_; }

  private:
    bool Fill();
    bool Decode(size_t& taken);
    bool OpenConverter(const char* from, std::string& error);
    bool LookForByteOrderMark(std::string& error);

    TextEncoding encoding_;
    void* converter_ = nullptr;  // iconv's, for the encodings other than UTF-8
    std::string decoding_;       // the name of what converter_ reads, for messages
    bool markLooked_ = false;    // whether the start was looked at for a UTF-16 mark
    int fd_ = 0;
    bool own_ = false;
    bool eof_ = false;
    std::vector<char> buffer_ = std::vector<char>(256 * 1024);  // decoded text
    size_t begin_ = 0;                                          // the unread text is [begin_, end_)
    size_t end_ = 0;
    std::vector<char> raw_ = std::vector<char>(64 * 1024);  // read, not yet decoded
    size_t rawEnd_ = 0;
    uint64_t offset_ = 0;  // of raw_[0] in the input
    std::string error_;
};

// The name a file is reported by in FILE:LINE:COLUMN: "-" for standard input.
std::string InputName(const std::string& path);

// The name a file is reported by in messages: "standard input" for "" and "-".
std::string MessageName(const std::string& path);

// Why `path` cannot be edited in place: a device, FIFO or terminal is never
// replaced by a file (and is not read for it either); none for a regular file
// or one that is not there (reading it says why).
std::optional<std::string> InPlaceRefusal(const std::string& path);

}  // namespace tarnik::cli
