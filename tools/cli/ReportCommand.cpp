#include "cli/ReportCommand.h"

#include <QGuiApplication>
#include <iostream>

#include "cli/Arguments.h"
#include "cli/CliError.h"
#include "cli/LanguageChoice.h"
#include "cli/OutputTarget.h"
#include "cli/RawFiles.h"
#include "cli/Usage.h"
#include "report/InspectionReport.h"

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
QByteArray reportPdf(const InspectionInput& input) {
    qtMessageHandler = qInstallMessageHandler(errorsOnly);
    char name[] = "kadenza-cli";
    char option[] = "-platform";
    char platform[] = "offscreen";
    char* argv[] = {name, option, platform, nullptr};
    int argc = 3;
    const QGuiApplication application(argc, argv);
    return inspectionReportPdf(*input.data, input.details);
}

}  // namespace

void writeInspectionReport(const InspectionInput& input, const std::string& output) {
    const QByteArray pdf = reportPdf(input);
    writeRawFile(output, {pdf.begin(), pdf.end()});
}

int runReport(const std::vector<std::string>& args) {
    if (asksForHelp(args)) {
        std::cout << reportUsage;
        return exitSuccess;
    }
    const ParsedArguments parsed(args, {{}, {"--lang"}});
    applyLanguage(parsed);
    const auto& files = parsed.positionals();
    if (files.size() < 2) {
        throw UsageError(files.empty() ? "missing data file" : "missing output file");
    }
    if (files.size() > 2) {
        throw UsageError("unexpected argument '" + files[2] + "'");
    }
    refuseOutputOverInput(files[1], files[0]);
    writeInspectionReport(readInspectionFile(files[0]), files[1]);
    return exitSuccess;
}

}  // namespace kadenza::cli
