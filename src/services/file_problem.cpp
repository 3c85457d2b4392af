#include "services/file_problem.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tarnik::services {

std::string ReadProblem(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::strerror(errno);
    close(fd);
    return "";
}

std::string WriteProblem(const std::string& path) {
    if (access(path.c_str(), F_OK) == 0)
        return access(path.c_str(), W_OK) == 0 ? "" : std::strerror(errno);
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    const char* name = folder.empty() ? "." : folder.c_str();
    return access(name, W_OK) == 0 ? "" : std::strerror(errno);
}

std::string Because(const std::string& reason) {
    if (reason.empty())
        return "";
    std::string text = ": ";
    text += reason;
    return text;
}

}  // namespace tarnik::services
