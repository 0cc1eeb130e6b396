#pragma once

#include <memory>
#include <string>

#include "model/InstrumentData.h"

namespace kadenza::cli {

// The container held by a native data file; a file cut short is read all the same, with a
// warning on stderr. Throws FileError when the file cannot be opened, is too large or is not
// a data file.
std::unique_ptr<InstrumentData> readDataFile(const std::string& path);

}  // namespace kadenza::cli
