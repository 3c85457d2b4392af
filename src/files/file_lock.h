// A lock around the read-change-write of a file that several programs share
// ("user.dic", "PLHYPH.USR"): while one holds it, another waits, so each change
// starts from what the last one saved.
//
// The lock is an exclusive flock on FILE.lock beside the real file (the end of
// FILE's symbolic links). A lock file is used rather than the file itself
// because every save renames a new file over the old one: a lock on the old
// file would not hold back a program that opens the new one. The lock file is
// left in place, empty; removing it could let two programs lock two files.
#pragma once

#include <string>

namespace tarnik {

class FileLock {
  public:
    // Waits until the lock of `path` is held. When no lock file can be made (a
    // folder that takes no new files, where no save can succeed either), the
    // object holds nothing and the caller goes on unlocked.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    bool Held() const { return fd_ >= 0; }

  private:
    int fd_ = -1;
};

}  // namespace tarnik
