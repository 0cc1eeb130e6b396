#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// `show IN.tso [--mask M] [--raw]`: the exit code, or throws CliError.
int runShow(const std::vector<std::string>& args);

}  // namespace kadenza::cli
