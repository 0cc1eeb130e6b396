#pragma once

#include <memory>
#include <string>

#include "model/OutputFile.h"

namespace kadenza::cli {

// The output that stands for standard output.
constexpr const char* standardOutput = "-";

// The file an output named on the command line is written to: standard output for "-",
// written whole once the content is ready, so that even a data file (whose header is written
// last) can go into a pipe. Throws std::runtime_error "Cannot create file <path>".
std::unique_ptr<OutputFile> openOutput(const std::string& path);

// Throws UsageError when the output names the input file, also through links: writing it
// would replace what is still to be read, or what the user meant to keep.
void refuseOutputOverInput(const std::string& output, const std::string& input);

}  // namespace kadenza::cli
