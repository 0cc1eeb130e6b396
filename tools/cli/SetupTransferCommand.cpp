#include "cli/SetupTransferCommand.h"

#include "cli/CliError.h"
#include "cli/ConsoleReporter.h"
#include "cli/Interruption.h"
#include "cli/LanguageChoice.h"
#include "cli/SetupEditing.h"
#include "cli/TransferLine.h"
#include "link/ProtocolBytes.h"
#include "link/TransferJobs.h"

namespace kadenza::cli {

namespace {

// One open port and the reporter for the jobs of one setup command.
struct SetupSession {
    explicit SetupSession(const ParsedArguments& parsed)
        : port(parsed, instrumentBaud), transfer(port.line(), interruptionRequested) {
        catchInterruption();
    }

    int failed() const {
        return exitCodeOf(reporter.failure().value_or(FailureKind::NotConnected));
    }

    TransferLine port;
    InstrumentTransfer transfer;
    ConsoleReporter reporter;
};

ParsedArguments parseSetupTransfer(const std::vector<std::string>& args, CommandOptions own) {
    const ParsedArguments parsed(args, transferOptions(std::move(own)));
    if (!parsed.positionals().empty()) {
        throw UsageError("unexpected argument '" + parsed.positionals().front() + "'");
    }
    applyLanguage(parsed);
    return parsed;
}

// Defaults need the instrument's answer to know the model; without one there are none.
int takeDefaults(SetupSession& session, InstrumentSetup& setup) {
    if (!runDefaultSettings(session.transfer, setup)) {
        session.reporter.reportFailure(session.transfer.stopped() ? FailureKind::Cancelled
                                                                  : FailureKind::NotConnected);
        return session.failed();
    }
    return setup.count() == 0 ? reportNoSettings() : exitSuccess;
}

int readSettings(SetupSession& session, InstrumentSetup& setup) {
    if (!runReadSetup(session.transfer, setup, session.reporter)) {
        return session.failed();
    }
    return setup.count() == 0 ? reportNoSettings() : exitSuccess;
}

int readCommand(SetupSession& session) {
    InstrumentSetup setup;
    if (const int code = readSettings(session, setup); code != exitSuccess) {
        return code;
    }
    printSetup(setup);
    return exitSuccess;
}

// Only what was read from this instrument, or its factory settings, is written back, and
// nothing read outside its range.
int writeCommand(SetupSession& session, const ParsedArguments& parsed) {
    InstrumentSetup setup;
    const int taken =
        parsed.has("--defaults") ? takeDefaults(session, setup) : readSettings(session, setup);
    if (taken != exitSuccess) {
        return taken;
    }
    for (const std::string& change : parsed.values("--set")) {
        applyChange(setup, change);
    }
    checkWritable(setup);
    if (!runWriteSetup(session.transfer, setup, session.reporter)) {
        return session.failed();
    }
    printSetup(setup);
    return exitSuccess;
}

int defaultsCommand(SetupSession& session) {
    InstrumentSetup setup;
    if (const int code = takeDefaults(session, setup); code != exitSuccess) {
        return code;
    }
    printSetup(setup);
    return exitSuccess;
}

}  // namespace

int runSetupRead(const std::vector<std::string>& args) {
    SetupSession session(parseSetupTransfer(args, {}));
    return session.port.finish(readCommand(session));
}

int runSetupWrite(const std::vector<std::string>& args) {
    const ParsedArguments parsed = parseSetupTransfer(args, {{"--defaults"}, {"--set"}});
    SetupSession session(parsed);
    return session.port.finish(writeCommand(session, parsed));
}

int runSetupDefaults(const std::vector<std::string>& args) {
    SetupSession session(parseSetupTransfer(args, {}));
    return session.port.finish(defaultsCommand(session));
}

}  // namespace kadenza::cli
