#pragma once

#include <memory>
#include <string>

#include "model/InstrumentData.h"

namespace kadenza::cli {

// The container held by a native data file. Throws FileError when the file cannot be opened
// or is not a data file.
std::unique_ptr<InstrumentData> readDataFile(const std::string& path);

}  // namespace kadenza::cli
