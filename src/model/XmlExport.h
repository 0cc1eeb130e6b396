#pragma once

#include <string>

#include "model/InstrumentData.h"
#include "model/OutputFile.h"

namespace kadenza {

// Writes the container as XML. Throws std::runtime_error "Cannot create file <path>"; false
// when writing failed, and then the file that was at the path is left as it was.
bool exportXml(const std::string& path, const InstrumentData& data);
// The same into a file the caller made.
bool exportXmlTo(OutputFile& file, const InstrumentData& data);

}  // namespace kadenza
