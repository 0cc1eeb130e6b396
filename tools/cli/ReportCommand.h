#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// `report IN.tso OUT.pdf [--lang cs|en]`: the exit code, or throws CliError.
int runReport(const std::vector<std::string>& args);

}  // namespace kadenza::cli
