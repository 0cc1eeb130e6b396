#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include "cli/ArchiveCommand.h"
#include "cli/CliError.h"
#include "cli/ConvertCommand.h"
#include "cli/DecodeCommand.h"
#include "cli/DetailsCommand.h"
#include "cli/EvaluateCommand.h"
#include "cli/LanguageChoice.h"
#include "cli/PortsCommand.h"
#include "cli/ReportCommand.h"
#include "cli/SampleCommand.h"
#include "cli/SetupCommand.h"
#include "cli/ShowCommand.h"
#include "cli/TransferCommand.h"
#include "cli/Usage.h"
#include "language/Language.h"
#include "model/TemporaryFiles.h"

namespace {

using namespace kadenza::cli;

using CommandRunner = int (*)(const std::vector<std::string>&);

struct Command {
    const char* name;
    CommandRunner run;
};

constexpr Command commands[] = {
    {"convert", runConvert}, {"show", runShow},         {"decode", runDecode}, {"setup", runSetup},
    {"sample", runSample},   {"download", runDownload}, {"legacy", runLegacy}, {"ports", runPorts},
    {"details", runDetails}, {"evaluate", runEvaluate}, {"report", runReport},
    {"archive", runArchive},
};

int runTool(const std::vector<std::string>& args) {
    if (args.empty()) {
        throw UsageError("no command given (see kadenza-cli --help)");
    }
    const std::string& name = args.front();
    if (name == "-h" || name == "--help") {
        std::cout << toolUsage;
        return exitSuccess;
    }
    if (name == "--version") {
        std::cout << "kadenza-cli " << kadenza::programVersion() << '\n';
        return exitSuccess;
    }
    for (const Command& command : commands) {
        if (name == command.name) {
            return command.run({args.begin() + 1, args.end()});
        }
    }
    throw UsageError("unknown command '" + name + "' (see kadenza-cli --help)");
}

// What was printed must have reached standard output: a full disk or a closed pipe there is
// a failure like any file's.
int withOutputChecked(int exitCode) {
    if (std::cout.flush()) {
        return exitCode;
    }
    std::cerr << "kadenza-cli: Cannot write to standard output\n";
    return exitCode == exitSuccess ? exitFileFailure : exitCode;
}

}  // namespace

// No input ends the tool any other way than with a message: what no command caught is a
// file it could not use.
int main(int argc, char* argv[]) {
    // Number texts take the decimal separator of the user's locale.
    std::setlocale(LC_ALL, "");
    kadenza::SetLanguage(languageOfEnvironment());
    kadenza::removeTemporaryFilesOnSignals();
    try {
        return withOutputChecked(runTool({argv + 1, argv + argc}));
    } catch (const CliError& error) {
        std::cerr << "kadenza-cli: " << error.what() << '\n';
        return error.exitCode();
    } catch (const std::exception& error) {
        std::cerr << "kadenza-cli: " << error.what() << '\n';
        return exitFileFailure;
    }
}
