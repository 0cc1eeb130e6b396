#include "model/FileReader.h"

#include "model/BinaryIo.h"

namespace kadenza {

FileReader::FileReader(const std::string& bytes) : buffer_(bytes), stream_(&buffer_) {
    readHeader();
}

void FileReader::readHeader() {
    for (auto& word : header_) {
        word = readInt(stream_);
    }
    headerComplete_ = static_cast<bool>(stream_);
}

bool FileReader::findSection(std::int32_t typeCode) {
    if (!hasHeader()) {
        return false;
    }
    for (int slot = 0; slot < nativeSectionSlots; ++slot) {
        if (header_[2 + 2 * slot] == typeCode) {
            stream_.clear();
            stream_.seekg(header_[3 + 2 * slot]);
            return true;
        }
    }
    stream_.seekg(nativeHeaderSize);
    return false;
}

std::vector<FileReader::SectionPlace> FileReader::sectionPlaces() const {
    std::vector<SectionPlace> places;
    if (!hasHeader()) {
        return places;
    }
    for (int slot = 0; slot < nativeSectionSlots; ++slot) {
        if (header_[2 + 2 * slot] != 0) {
            places.push_back({header_[2 + 2 * slot], header_[3 + 2 * slot]});
        }
    }
    return places;
}

bool FileReader::hasHeader() const {
    return headerComplete_ && header_[0] == fourLetterCode("TSO3");
}

}  // namespace kadenza
