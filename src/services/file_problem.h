// Why a file cannot be read or written, in the operating system's words, for the
// messages of the front ends.
#pragma once

#include <string>

namespace tarnik::services {

// The system's reason why `path` cannot be opened for reading; empty when it can.
std::string ReadProblem(const std::string& path);

// The system's reason why `path` cannot be written (the file itself, or the folder
// a new file would go into); empty when nothing forbids it (a full disk, say).
std::string WriteProblem(const std::string& path);

// ": REASON" for a message, or nothing when the reason is not known.
std::string Because(const std::string& reason);

}  // namespace tarnik::services
