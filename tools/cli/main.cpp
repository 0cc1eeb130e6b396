#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliError.h"
#include "cli/ConvertCommand.h"
#include "cli/DecodeCommand.h"
#include "cli/SampleCommand.h"
#include "cli/SetupCommand.h"
#include "cli/ShowCommand.h"
#include "cli/Usage.h"

namespace {

using namespace kadenza::cli;

int runTool(const std::vector<std::string>& args) {
    if (args.empty()) {
        throw UsageError("no command given (see kadenza-cli --help)");
    }
    const std::string& command = args.front();
    const std::vector<std::string> commandArgs(args.begin() + 1, args.end());
    if (command == "convert") {
        return runConvert(commandArgs);
    }
    if (command == "show") {
        return runShow(commandArgs);
    }
    if (command == "decode") {
        return runDecode(commandArgs);
    }
    if (command == "setup") {
        return runSetup(commandArgs);
    }
    if (command == "sample") {
        return runSample(commandArgs);
    }
    if (command == "-h" || command == "--help") {
        std::cout << toolUsage;
        return exitSuccess;
    }
    throw UsageError("unknown command '" + command + "' (see kadenza-cli --help)");
}

}  // namespace

int main(int argc, char* argv[]) {
    // Number texts take the decimal separator of the user's locale.
    std::setlocale(LC_ALL, "");
    try {
        return runTool({argv + 1, argv + argc});
    } catch (const CliError& error) {
        std::cerr << "kadenza-cli: " << error.what() << '\n';
        return error.exitCode();
    }
}
