#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// kadenza-cli setup read|write|defaults --port DEV ...: the settings of the instrument on
// the port.
int runSetupRead(const std::vector<std::string>& args);
int runSetupWrite(const std::vector<std::string>& args);
int runSetupDefaults(const std::vector<std::string>& args);

}  // namespace kadenza::cli
