#include "cli/TransferCommand.h"

#include <iostream>

#include "cli/CliError.h"
#include "cli/ConsoleReporter.h"
#include "cli/Interruption.h"
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
std::vector<std::string> outputsOf(const ParsedArguments& parsed) {
    const auto& outputs = parsed.positionals();
    if (outputs.empty()) {
        throw UsageError("missing output file");
    }
    checkOutputFormats(outputs);
    return outputs;
}

int finish(bool completed, const ConsoleReporter& reporter, const std::vector<std::string>& outputs,
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
    const ParsedArguments parsed(args, transferOptions({}));
    applyLanguage(parsed);
    const auto outputs = outputsOf(parsed);
    TransferLine port(parsed, instrumentBaud);
    catchInterruption();
    ConsoleReporter reporter;
    InstrumentTransfer transfer(port.line(), interruptionRequested);
    InstrumentData data;
    return finish(runReadData(transfer, data, reporter), reporter, outputs, data);
}

int runLegacy(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << legacyUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(args, transferOptions({}));
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
        return exitTransmissionFailed;
    }
    return finish(receiveLegacyTransfer(port.line(), data, reporter), reporter, outputs, data);
}

}  // namespace kadenza::cli
