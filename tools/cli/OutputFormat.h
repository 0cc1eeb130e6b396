#pragma once

#include <optional>
#include <string>

#include "model/InstrumentData.h"

namespace kadenza::cli {

enum class OutputFormat { native, xml, html, plainText };

// The format that the path's extension names, in any case; none for another extension.
std::optional<OutputFormat> formatOfPath(const std::string& path);

// Writes through the core's writer of the format. Throws std::runtime_error when the file
// cannot be created (the native and XML writers tell this apart); false when it could not
// be written.
bool writeInFormat(OutputFormat format, const std::string& path, const InstrumentData& data);

}  // namespace kadenza::cli
