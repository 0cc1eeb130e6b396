#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// `archive [--archive PATH|URI] add|list|due|history|sites|circuits|export|report ...`: the exit
// code, or throws CliError.
int runArchive(const std::vector<std::string>& args);

}  // namespace kadenza::cli
