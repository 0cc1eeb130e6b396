#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// `details FILE.tso [--set NAME=VALUE]... [--import D.json] [--export D.json]`: the exit
// code, or throws CliError.
int runDetails(const std::vector<std::string>& args);

}  // namespace kadenza::cli
