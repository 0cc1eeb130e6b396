#include "cli/ConvertCommand.h"

#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/InputFile.h"
#include "cli/OutputFormat.h"
#include "cli/Usage.h"

namespace kadenza::cli {

int runConvert(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << convertUsage;
        return exitSuccess;
    }
    const ConvertArguments parsed = parseConvertArguments(args);
    const std::vector<Output> outputs = outputsWithFormats(parsed.outputs, parsed.format);
    writeOutputs(outputs, *readDataFile(parsed.input));
    return exitSuccess;
}

}  // namespace kadenza::cli
