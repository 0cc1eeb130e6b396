#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "inspection/DetailsDocument.h"
#include "model/InstrumentData.h"

namespace kadenza {

class OutputFile;

// A section of a data file that this program does not know (another program's), kept as it
// came so that saving the file again does not drop it.
struct FileSection {
    std::int32_t typeCode;
    std::string bytes;
};

// A data file with the inspection's details: the "data" section first, as every reader of
// the format expects, then an "insp" section holding the details' JSON text (a length word,
// then the UTF-8 bytes), then the other sections it came with. Without details or other
// sections the file is the plain data file, byte for byte. Throws and fails as
// saveNativeFile does, and throws std::runtime_error, leaving the file as it was, when the
// file would be larger than a data file may be (nativeFileLimit).
bool saveInspectionFile(const std::string& path, const InstrumentData& data,
                        const DetailsDocument& details,
                        const std::vector<FileSection>& otherSections = {});
bool saveInspectionFileTo(OutputFile& file, const InstrumentData& data,
                          const DetailsDocument& details,
                          const std::vector<FileSection>& otherSections = {});

// The sections of a data file's bytes other than its data and its details, each from where
// it starts to where the next one starts or the file ends.
std::vector<FileSection> otherSectionsOf(const std::string& bytes);

// The details a data file's bytes hold; empty when it has no "insp" section, or when the file
// ends inside it: `missingBytes`, when given, then grows by the bytes the section lacks.
// Throws std::runtime_error when the section holds no details this program can read.
DetailsDocument detailsOfFile(const std::string& bytes, std::int64_t* missingBytes = nullptr);

// Opens a data file and its details together. Throws as openNativeFile does, and as
// detailsOfFile does (the message led by the path) when the data were read but the details
// cannot be: `data` then holds the file's data and `details` is empty.
bool openInspectionFile(const std::string& path, InstrumentData& data, DetailsDocument& details,
                        std::int64_t* missingBytes = nullptr);

}  // namespace kadenza
