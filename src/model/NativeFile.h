#pragma once

#include <string>

#include "model/InstrumentData.h"

namespace kadenza {

// Saves the container as a native data file with one "data" section. Throws
// std::runtime_error "Cannot create file <path>"; false when writing failed, and then the
// file that was at the path is left as it was.
bool saveNativeFile(const std::string& path, const InstrumentData& data);

// Replaces the container's contents with the file's data section. Throws std::runtime_error
// "Cannot open file <path>"; false, leaving the container as it was, when the file is not a
// native data file or has no data section.
bool openNativeFile(const std::string& path, InstrumentData& data);

// The same for a file already read into memory.
bool openNativeBytes(const std::string& bytes, InstrumentData& data);

}  // namespace kadenza
