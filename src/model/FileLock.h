#pragma once

#include <string>

namespace kadenza {

// An advisory lock on a file for a read-modify-write: two programs changing one file take
// turns instead of one losing the other's change. Only programs that take the lock wait for
// it. A file that does not exist yet, or that is no regular file, has nothing to lock.
class FileLock {
  public:
    // Waits until this process holds the file. A save replaces the file with a new one, so
    // the lock is taken again on the file now at the path until both are the same.
    explicit FileLock(const std::string& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

  private:
    int descriptor_ = -1;
};

}  // namespace kadenza
