#pragma once

#include <array>
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>

#include "model/OutputFile.h"

namespace kadenza {

// Size of the native file's header: magic, file kind and seven section slots of type code
// and absolute start offset, all 32-bit words.
constexpr int nativeHeaderSize = 64;
constexpr int nativeSectionSlots = 7;

// Writes a native data file: the sections go out through stream(), the header is written
// last by close(), when the section directory is known.
class FileWriter {
  public:
    // Throws std::runtime_error "Cannot create file <path>".
    FileWriter(const std::string& path, std::int32_t fileKind);
    // Writes into a file the caller made.
    FileWriter(OutputFile& file, std::int32_t fileKind);

    // Records a section of this type starting at the current position, in the first free
    // slot; false, writing nothing, when all seven slots are taken.
    bool beginSection(std::int32_t typeCode);
    std::ostream& stream() { return file_.stream(); }
    // Writes the header and puts the file in place; false when anything failed to be
    // written, and then a file that was at the path before is left as it was. A writer
    // destroyed without close() leaves no file behind.
    bool close();

  private:
    void start(std::int32_t fileKind);

    std::unique_ptr<OutputFile> ownFile_;
    OutputFile& file_;
    std::array<std::int32_t, nativeHeaderSize / 4> header_{};
};

}  // namespace kadenza
