#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// kadenza-cli ports: the serial ports a transfer can use now, one a line.
int runPorts(const std::vector<std::string>& args);

}  // namespace kadenza::cli
