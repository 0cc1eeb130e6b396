#pragma once

#include <string>
#include <vector>

#include "cli/InputFile.h"

namespace kadenza::cli {

// `report IN.tso OUT.pdf [--lang cs|en] [--sign NICKNAME [--nss-dir DIR]]`: the exit code,
// or throws CliError.
int runReport(const std::vector<std::string>& args);

// Writes the report of the input's revision to the output ("-": standard output), unsigned,
// naming on stderr what a draft lacks. Throws FileError when it cannot be written.
void writeInspectionReport(const InspectionInput& input, const std::string& output);

}  // namespace kadenza::cli
