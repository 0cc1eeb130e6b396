#pragma once

#include <ext/stdio_filebuf.h>

#include <sys/stat.h>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

namespace kadenza {

// A file the program writes, written where the user's path points:
// - a regular file, or a new one, is written under a short temporary name in its folder,
//   created exclusively with the file's final mode (and owner, where permitted), and put in
//   place only when every byte went out and reached the disk, so a save that fails half-way
//   leaves the file as it was; a symbolic link is followed to the file it names;
// - a regular file with other names (hard links), or in a folder where this user may not put
//   another file in its place, is written in place, once the whole content is ready, so that
//   every name sees it; a file this user may not write is refused;
// - anything else (a device, a FIFO, a terminal, an open descriptor) is written straight into,
//   as `cat > path` would, once the whole content is ready.
// Without commit() nothing is put in place and the temporary file is removed again; a signal
// that ends the process removes it as well.
class OutputFile {
  public:
    // Throws std::runtime_error "Cannot create file <path>" when no file can be made there.
    explicit OutputFile(std::string path);
    // Writes into an open descriptor, such as standard output; it stays open.
    OutputFile(int descriptor, std::string name);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile();

    std::ostream& stream() { return out_; }
    // Puts the content in place; false when any write failed, and then a regular file that
    // was at the path is as it was.
    bool commit();

  private:
    // Where the content goes in the end.
    enum class Target {
        replaced,        // a temporary file renamed over finalPath_
        writtenInPlace,  // a regular file with other names, emptied and written
        writtenThrough,  // a device, a FIFO or a terminal
        descriptor,      // a descriptor the caller opened
    };

    void startReplacement(const std::string& target, const struct stat* existing);
    bool replace();
    bool writeThrough();

    std::string path_;
    Target target_ = Target::replaced;
    int descriptor_ = -1;
    std::string finalPath_;
    std::string temporaryPath_;
    std::unique_ptr<__gnu_cxx::stdio_filebuf<char>> temporary_;
    std::stringstream content_;
    std::ostream out_{nullptr};
    bool committed_ = false;
};

}  // namespace kadenza
