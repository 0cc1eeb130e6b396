#pragma once

#include <memory>
#include <string>

#include <vector>

#include "inspection/DetailsDocument.h"
#include "inspection/InspectionFile.h"
#include "model/InstrumentData.h"

namespace kadenza::cli {

// A data file with the inspection's details it keeps and the sections of other programs.
struct InspectionInput {
    std::unique_ptr<InstrumentData> data;
    DetailsDocument details;
    // Why the file's details could not be read ("the details are not valid JSON at byte 3");
    // empty when they were, or when there were none.
    std::string detailsProblem;
    std::vector<FileSection> otherSections;
};

// The data file and its details; a file cut short is read all the same, with a warning on
// stderr. Damaged details leave the data readable: they are left out, with a warning on
// stderr unless the caller tells of them itself. Throws FileError when the file cannot be
// opened, is too large or is not a data file.
InspectionInput readInspectionFile(const std::string& path, bool warnOfDamagedDetails = true);

// The same for a data file's bytes kept elsewhere (an archive), `name` standing for its path
// in the messages.
InspectionInput readInspectionBytes(const std::string& bytes, const std::string& name,
                                    bool warnOfDamagedDetails = true);

}  // namespace kadenza::cli
