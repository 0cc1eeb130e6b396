#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// kadenza-cli decode (--model CODE IMAGE | --legacy FRAME) OUT...
int runDecode(const std::vector<std::string>& args);

}  // namespace kadenza::cli
