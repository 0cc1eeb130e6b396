#include "model/FileWriter.h"

#include <ostream>

#include "model/BinaryIo.h"

namespace kadenza {

FileWriter::FileWriter(const std::string& path, std::int32_t fileKind)
    : ownFile_(std::make_unique<OutputFile>(path)), file_(*ownFile_) {
    start(fileKind);
}

FileWriter::FileWriter(OutputFile& file, std::int32_t fileKind) : file_(file) {
    start(fileKind);
}

// The header's place is kept with zeros, which a file held in memory needs to seek back
// over; close() fills it in.
void FileWriter::start(std::int32_t fileKind) {
    header_[0] = fourLetterCode("TSO3");
    header_[1] = fileKind;
    for (std::size_t word = 0; word < header_.size(); ++word) {
        writeInt(stream(), 0);
    }
}

bool FileWriter::beginSection(std::int32_t typeCode) {
    for (int slot = 0; slot < nativeSectionSlots; ++slot) {
        auto& type = header_[2 + 2 * slot];
        if (type == 0) {
            type = typeCode;
            header_[3 + 2 * slot] = static_cast<std::int32_t>(stream().tellp());
            return true;
        }
    }
    return false;
}

bool FileWriter::close() {
    stream().seekp(0);
    for (const std::int32_t word : header_) {
        writeInt(stream(), word);
    }
    return file_.commit();
}

}  // namespace kadenza
