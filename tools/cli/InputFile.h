#pragma once

#include <memory>
#include <string>

#include "inspection/DetailsDocument.h"
#include "model/InstrumentData.h"

namespace kadenza::cli {

// A data file with the inspection's details it keeps.
struct InspectionInput {
    std::unique_ptr<InstrumentData> data;
    DetailsDocument details;
};

// The data file and its details; a file cut short is read all the same, with a warning on
// stderr. Throws FileError when the file cannot be opened, is too large or is not a data
// file, and also when the details cannot be read, so that nothing written from it loses them.
InspectionInput readInspectionFile(const std::string& path);

}  // namespace kadenza::cli
