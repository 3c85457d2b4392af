// The checksum trailer our tools append to every file they write for the
// plug-in (son.dic, PLHYPH.DAT, mixedcase.dic, frequency.txt, replacements.txt),
// so that a file cut short or damaged is refused at open instead of answering
// wrongly.
//
// The trailer is the file's last 36 bytes, one line of ASCII text:
//
//   #TRNKSUM1 LLLLLLLLLLLLLLLL CCCCCCCC\n
//
// "#TRNKSUM1", a space, the length of everything before the trailer as 16
// lower-case hexadecimal digits, a space, the CRC-32 of those bytes (the
// polynomial of zip and PNG, reflected, initial value and final XOR FFFFFFFF)
// as 8 lower-case hexadecimal digits, a line feed. It sits after everything the
// file's own format addresses: a container's index and data area, the word list
// of a user-dictionary file, the last line of a text list (where readers that do
// not know it skip it as a comment line).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnik {

inline constexpr size_t kChecksumTrailerSize = 36;

// The CRC-32 of `bytes`, continuing from `crc` (the CRC of the bytes before
// them; 0 to start).
uint32_t Crc32(std::string_view bytes, uint32_t crc = 0);

// The trailer for a file whose contents are `contents`.
std::string ChecksumTrailer(std::string_view contents);

// What a trailer promises: the length and CRC-32 of the contents before it.
struct ChecksumClaim {
    uint64_t length = 0;
    uint32_t crc = 0;
};

enum class TrailerKind {
    kAbsent,     // the file does not end in a trailer
    kMalformed,  // it ends in "#TRNKSUM1" but the rest is not a trailer
    kPresent,
};

// Reads the trailer from a file's last kChecksumTrailerSize bytes (`tail`;
// fewer bytes give kAbsent).
TrailerKind ReadTrailer(std::string_view tail, ChecksumClaim& claim);

enum class ChecksumVerdict {
    kAbsent,   // no trailer: the file is what its format alone says
    kSound,    // the trailer matches the contents
    kDamaged,  // the trailer is malformed or does not match the contents
};

// Checks a whole file's bytes. With kSound, `contents` is the file without its
// trailer; otherwise it is the whole file.
ChecksumVerdict CheckTrailer(std::string_view file, std::string_view& contents);

enum class SealedFile {
    kRead,
    kMissing,     // no such file
    kUnreadable,  // there, but it cannot be read
    kDamaged,     // no trailer, or one that does not match
};

// Reads a file that only our tools write and that must therefore end in a
// matching trailer (frequency.txt, replacements.txt); with kRead, `contents`
// holds the file without its trailer.
SealedFile ReadSealedFile(const std::string& path, std::string& contents);

}  // namespace tarnik
