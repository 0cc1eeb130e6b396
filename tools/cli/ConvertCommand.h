#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// `convert IN.tso OUT...`: the exit code, or throws CliError.
int runConvert(const std::vector<std::string>& args);

}  // namespace kadenza::cli
