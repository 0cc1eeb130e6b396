#include <QCommandLineParser>
#include <exception>
#include <iostream>

#include "app/KadenzaApplication.h"
#include "app/MessageBoxes.h"
#include "app/Relabelling.h"
#include "app/TForm1.h"
#include "language/Language.h"
#include "model/TemporaryFiles.h"
#include "setup/TForm2.h"

namespace {

// What the command line asks for: `kadenza [--port PATH]... [FILE.tso]`.
struct CommandLine {
    // Devices to list ahead of the system's serial ports, such as the pseudo-terminal of
    // kadenza-sim.
    QStringList namedPorts;
    // A data file to open at the start, as the desktop entry passes one.
    QString file;
};

CommandLine parseCommandLine(const QCoreApplication& application) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kadenza"));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("List the serial device PATH first."),
                                  QStringLiteral("PATH"));
    parser.addOption(port);
    parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("A data file to open."),
                                 QStringLiteral("[FILE.tso]"));
    parser.process(application);
    const QStringList files = parser.positionalArguments();
    return {parser.values(port), files.isEmpty() ? QString() : files.front()};
}

int runProgram(int argc, char* argv[]) {
    using namespace kadenza;
    SetLanguage(czechLanguage);
    QtMessageBoxes boxes;
    KadenzaApplication application(argc, argv, boxes);
    const CommandLine commandLine = parseCommandLine(application);
    TForm1 mainWindow(boxes, commandLine.namedPorts);
    TranslateForms(mainWindow, mainWindow.setupDialog());
    mainWindow.show();
    if (!commandLine.file.isEmpty()) {
        mainWindow.openFile(commandLine.file);
    }
    return application.exec();
}

}  // namespace

// A signal that ends the program takes an unfinished save's temporary file with it; what
// escapes the windows' own error box ends the program with a message.
int main(int argc, char* argv[]) {
    kadenza::removeTemporaryFilesOnSignals();
    try {
        return runProgram(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "kadenza: " << error.what() << '\n';
        return 2;
    }
}
