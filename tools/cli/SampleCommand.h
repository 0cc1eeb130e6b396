#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// kadenza-cli sample (--model CODE IMAGE | --legacy FRAME)
int runSample(const std::vector<std::string>& args);

}  // namespace kadenza::cli
