#pragma once

#include <streambuf>
#include <string>

namespace kadenza {

// A stream buffer over bytes already in memory, read and sought in place: a file of 4 MiB is
// not copied again for every reader of it. The bytes must outlive the buffer.
class MemoryBuffer : public std::streambuf {
  public:
    explicit MemoryBuffer(const std::string& bytes);

  protected:
    pos_type seekoff(off_type offset, std::ios_base::seekdir way,
                     std::ios_base::openmode which) override;
    pos_type seekpos(pos_type position, std::ios_base::openmode which) override;
};

}  // namespace kadenza
