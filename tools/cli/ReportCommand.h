#pragma once

#include <string>
#include <vector>

#include "cli/InputFile.h"

namespace kadenza::cli {

// `report IN.tso OUT.pdf [--lang cs|en]`: the exit code, or throws CliError.
int runReport(const std::vector<std::string>& args);

// Writes the inspection report of the input to the output ("-": standard output). Throws
// FileError when it cannot be written.
void writeInspectionReport(const InspectionInput& input, const std::string& output);

}  // namespace kadenza::cli
