#include "cli/PortsCommand.h"

#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/Usage.h"
#include "link/PortList.h"

namespace kadenza::cli {

int runPorts(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << portsUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(args, {});
    if (!parsed.positionals().empty()) {
        throw UsageError("unexpected argument '" + parsed.positionals().front() + "'");
    }
    for (const std::string& port : usableSerialPorts()) {
        std::cout << port << '\n';
    }
    return exitSuccess;
}

}  // namespace kadenza::cli
