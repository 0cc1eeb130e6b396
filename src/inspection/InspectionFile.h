#pragma once

#include <cstdint>
#include <string>

#include "inspection/DetailsDocument.h"
#include "model/InstrumentData.h"

namespace kadenza {

class OutputFile;

// A data file with the inspection's details: the "data" section first, as every reader of
// the format expects, then an "insp" section holding the details' JSON text (a length word,
// then the UTF-8 bytes). Without details the file is the plain data file, byte for byte.
// Throws and fails as saveNativeFile does.
bool saveInspectionFile(const std::string& path, const InstrumentData& data,
                        const DetailsDocument& details);
bool saveInspectionFileTo(OutputFile& file, const InstrumentData& data,
                          const DetailsDocument& details);

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
