#include "cli/TransferCommand.h"

#include <iostream>

#include "cli/CliError.h"
#include "cli/ConsoleReporter.h"
#include "cli/Interruption.h"
#include "cli/LanguageChoice.h"
#include "cli/OutputFormat.h"
#include "cli/SetupEditing.h"
#include "cli/TransferLine.h"
#include "cli/Usage.h"
#include "link/LegacyReceiver.h"
#include "link/ProtocolBytes.h"
#include "link/TransferJobs.h"

namespace kadenza::cli {

namespace {

// The outputs named on the command line, checked before the instrument is asked for anything.
std::vector<Output> outputsOf(const ParsedArguments& parsed) {
    if (parsed.positionals().empty()) {
        throw UsageError("missing output file");
    }
    return outputsWithFormats(parsed.positionals(), parsed.value("--format"));
}

int finish(bool completed, const ConsoleReporter& reporter, const std::vector<Output>& outputs,
           const InstrumentData& data) {
    if (!completed) {
        return exitCodeOf(reporter.failure().value_or(FailureKind::TransmissionFailed));
    }
    writeOutputs(outputs, data);
    return exitSuccess;
}

}  // namespace

int runDownload(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << downloadUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(args, transferOptions({{}, {"--format"}}));
    applyLanguage(parsed);
    const auto outputs = outputsOf(parsed);
    TransferLine port(parsed, instrumentBaud);
    catchInterruption();
    ConsoleReporter reporter;
    InstrumentTransfer transfer(port.line(), interruptionRequested);
    InstrumentData data;
    return port.finish(finish(runReadData(transfer, data, reporter), reporter, outputs, data));
}

int runLegacy(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << legacyUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(args, transferOptions({{}, {"--format"}}));
    applyLanguage(parsed);
    const auto outputs = outputsOf(parsed);
    TransferLine port(parsed, legacyBaud);
    catchInterruption();
    ConsoleReporter reporter;
    InstrumentData data;
    // The Mx310.1 is never asked anything, so a port that cannot be opened is a failed
    // transmission rather than a silent instrument.
    if (!port.isOpen()) {
        reporter.reportFailure(FailureKind::TransmissionFailed);
        return port.finish(exitTransmissionFailed);
    }
    return port.finish(
        finish(receiveLegacyTransfer(port.line(), data, reporter), reporter, outputs, data));
}

}  // namespace kadenza::cli
