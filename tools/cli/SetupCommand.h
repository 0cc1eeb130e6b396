#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// kadenza-cli setup show ... | setup encode ...
int runSetup(const std::vector<std::string>& args);

}  // namespace kadenza::cli
