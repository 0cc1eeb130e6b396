#pragma once

#include <string>
#include <vector>

#include "model/InstrumentAbstract.h"

namespace kadenza::cli {

struct ConvertArguments {
    std::string input;
    std::vector<std::string> outputs;
};

struct ShowArguments {
    std::string input;
    int mask = showAllColumns;
    bool raw = false;
};

// True when -h or --help is among the arguments, whatever else they hold.
bool asksForHelp(const std::vector<std::string>& args);

// The arguments after the command's name. Throw UsageError for an unknown option, a missing
// file or a bad mask.
ConvertArguments parseConvertArguments(const std::vector<std::string>& args);
ShowArguments parseShowArguments(const std::vector<std::string>& args);

}  // namespace kadenza::cli
