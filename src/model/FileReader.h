#pragma once

#include <array>
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "model/FileWriter.h"
#include "model/MemoryBuffer.h"

namespace kadenza {

// Reads a native data file: the header on construction, then a section found by its type.
class FileReader {
  public:
    // Reads a file already in memory, in place: the bytes must outlive the reader.
    explicit FileReader(const std::string& bytes);

    // Moves to the first section of this type. False, without moving, when the file does not
    // begin with the magic or is shorter than its header; false after moving to the end of
    // the header when no section has the type.
    bool findSection(std::int32_t typeCode);
    // Every section the header lists: its type and where it starts, in the header's order;
    // none when the file does not begin with the magic or is shorter than its header.
    struct SectionPlace {
        std::int32_t typeCode;
        std::int32_t offset;
    };
    std::vector<SectionPlace> sectionPlaces() const;
    std::istream& stream() { return stream_; }

  private:
    void readHeader();
    bool hasHeader() const;

    MemoryBuffer buffer_;
    std::istream stream_;
    std::array<std::int32_t, nativeHeaderSize / 4> header_{};
    bool headerComplete_ = false;
};

}  // namespace kadenza
