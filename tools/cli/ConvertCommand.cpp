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
    refuseOutputsOverInput(outputs, parsed.input);
    const InspectionInput input = readInspectionFile(parsed.input);
    writeOutputs(outputs, *input.data, input.details, input.otherSections);
    return exitSuccess;
}

}  // namespace kadenza::cli
