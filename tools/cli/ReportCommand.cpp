#include "cli/ReportCommand.h"

#include <QGuiApplication>
#include <cstdlib>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/LanguageChoice.h"
#include "cli/OutputTarget.h"
#include "cli/PasswordPrompt.h"
#include "cli/RawFiles.h"
#include "cli/Usage.h"
#include "report/InspectionReport.h"
#include "report/PdfSigning.h"
#include "report/ReportSignature.h"

namespace kadenza::cli {

namespace {

QtMessageHandler qtMessageHandler = nullptr;

// Qt's warnings here speak of a desktop the report does not use (such as a missing runtime
// folder); its errors still reach stderr.
void errorsOnly(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        qtMessageHandler(type, context, message);
    }
}

// Qt lays the report out and needs an application for its fonts. A PDF needs no display, so
// the offscreen platform serves, whatever QT_QPA_PLATFORM names: "-platform" wins over it,
// and a platform that cannot start (xcb without DISPLAY) would end the program.
char applicationName[] = "kadenza-cli";
char platformOption[] = "-platform";
char offscreen[] = "offscreen";
char* applicationArguments[] = {applicationName, platformOption, offscreen, nullptr};
int applicationArgumentCount = 3;

// "provozovatel (inspection.operator), …": the words of the report and the names the details
// are set with.
std::string listed(const std::vector<MissingItem>& items) {
    std::string text;
    for (const MissingItem& item : items) {
        text += (text.empty() ? "" : ", ") + item.words + " (" + item.key + ")";
    }
    return text;
}

// A report that lacks what a report of a revision must hold is marked a draft on every page;
// the user hears of it before handing it over.
void warnOfDraft(const RevisionReport& report) {
    if (report.missing.empty()) {
        return;
    }
    std::cerr << "kadenza-cli: the report is a draft; it lacks " << listed(report.missing) << '\n';
}

// KADENZA_NSS_PASSWORD, else asked for on the terminal when the database has one.
std::string databasePassword(const std::string& nssDir) {
    if (const char* given = std::getenv("KADENZA_NSS_PASSWORD")) {
        return given;
    }
    if (!needsPassword(nssDir)) {
        return {};
    }
    const std::string folder = nssDir.empty() ? defaultNssDir() : nssDir;
    return askPassword("Password of the NSS certificate database in " + folder + ": ")
        .value_or(std::string());
}

// A draft carrying a valid signature would pass for a report handed over.
void refuseDraft(const RevisionReport& report, const ParsedArguments& parsed) {
    if (!report.missing.empty() && !parsed.has("--force")) {
        throw CliError(exitIncomplete,
                       "the report is a draft and is not signed without "
                       "--force; it lacks " +
                           listed(report.missing));
    }
}

// Any failure to sign ends the command before anything is written.
QByteArray signedReport(const RevisionReport& report, const InspectionDetails& inspection,
                        const ParsedArguments& parsed) {
    SignatureRequest request = reportSignature(report, inspection);
    request.nickname = parsed.required("--sign");
    if (request.nickname.empty()) {
        throw UsageError("--sign needs the nickname of a certificate");
    }
    refuseDraft(report, parsed);
    request.nssDir = parsed.value("--nss-dir").value_or(std::string());
    request.timeStampUrl = parsed.value("--tsa").value_or(std::string());
    request.signerDiffers = parsed.has("--signer-differs");
    try {
        request.password = databasePassword(request.nssDir);
        return signedPdf(report.pdf, request);
    } catch (const std::runtime_error& error) {
        throw CliError(exitFileFailure, error.what());
    }
}

// The report of the revision, signed when `signing` asks for it, written to `output`; the
// user hears afterwards what a draft lacks.
void writeReport(const InspectionInput& input, const std::string& output,
                 const ParsedArguments* signing) {
    qtMessageHandler = qInstallMessageHandler(errorsOnly);
    const QGuiApplication application(applicationArgumentCount, applicationArguments);
    const RevisionReport report = revisionReport(*input.data, input.details);
    const QByteArray pdf =
        signing ? signedReport(report, input.details.inspection(), *signing) : report.pdf;
    writeRawFile(output, {pdf.begin(), pdf.end()});
    warnOfDraft(report);
}

}  // namespace

void writeInspectionReport(const InspectionInput& input, const std::string& output) {
    writeReport(input, output, nullptr);
}

int runReport(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << reportUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(
        args, {{"--signer-differs", "--force"}, {"--lang", "--sign", "--nss-dir", "--tsa"}});
    applyLanguage(parsed);
    const auto& files = parsed.positionals();
    if (files.size() < 2) {
        throw UsageError(files.empty() ? "missing data file" : "missing output file");
    }
    if (files.size() > 2) {
        throw UsageError("unexpected argument '" + files[2] + "'");
    }
    for (const char* option : {"--nss-dir", "--tsa", "--signer-differs", "--force"}) {
        if (parsed.has(option) && !parsed.has("--sign")) {
            throw UsageError(std::string(option) + " is for --sign");
        }
    }
    refuseOutputOverInput(files[1], files[0]);
    writeReport(readInspectionFile(files[0]), files[1], parsed.has("--sign") ? &parsed : nullptr);
    return exitSuccess;
}

}  // namespace kadenza::cli
