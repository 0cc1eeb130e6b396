#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// `evaluate FILE.tso [--profile P] [--format table|csv|json] [--lang cs|en]`: the exit code,
// or throws CliError.
int runEvaluate(const std::vector<std::string>& args);

}  // namespace kadenza::cli
