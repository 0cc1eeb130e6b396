#pragma once

#include <string>
#include <vector>

namespace kadenza::cli {

// kadenza-cli download --port DEV OUT...
int runDownload(const std::vector<std::string>& args);

// kadenza-cli legacy --port DEV OUT...
int runLegacy(const std::vector<std::string>& args);

}  // namespace kadenza::cli
