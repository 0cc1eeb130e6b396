#include "cli/PortsCommand.h"

#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/LanguageChoice.h"
#include "cli/SetupEditing.h"
#include "cli/Usage.h"
#include "link/PortList.h"

namespace kadenza::cli {

int runPorts(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << portsUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(args, {{}, {"--lang"}});
    if (!parsed.positionals().empty()) {
        throw UsageError("unexpected argument '" + parsed.positionals().front() + "'");
    }
    applyLanguage(parsed);
    for (const SerialPortState& port : serialPortStates()) {
        std::cout << port.path;
        if (port.problem != PortProblem::None) {
            std::cout << '\t' << portProblemText(port.problem);
        }
        std::cout << '\n';
    }
    return exitSuccess;
}

}  // namespace kadenza::cli
