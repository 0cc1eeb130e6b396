#pragma once

#include <fstream>
#include <string>

namespace kadenza {

// A file written beside its target under a temporary name and renamed over the target only
// when every byte went out, so a save that fails half-way never destroys the file that was
// there. Without commit() the temporary file is removed again.
class AtomicFile {
  public:
    // Throws std::runtime_error "Cannot create file <path>" when no file can be made there.
    explicit AtomicFile(std::string path);
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    std::ostream& stream() { return out_; }
    // Flushes, closes and replaces the target; false when any write failed, and then the
    // target is as it was.
    bool commit();

  private:
    std::string path_;
    std::string temporaryPath_;
    std::ofstream out_;
    bool committed_ = false;
};

}  // namespace kadenza
