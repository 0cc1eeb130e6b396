#pragma once

#include <optional>
#include <string>
#include <vector>

#include "model/InstrumentData.h"

namespace kadenza::cli {

enum class OutputFormat { native, xml, html, plainText };

// The format that the path's extension names, in any case; none for another extension.
std::optional<OutputFormat> formatOfPath(const std::string& path);

// Throws UsageError for an output whose extension names no format, so that a mistyped
// extension is found before any output is written.
void checkOutputFormats(const std::vector<std::string>& outputs);

// Writes the container to every output in order; the first that fails throws FileError.
void writeOutputs(const std::vector<std::string>& outputs, const InstrumentData& data);

}  // namespace kadenza::cli
