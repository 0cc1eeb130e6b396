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

// `kadenza --port PATH`, repeatable: devices to list ahead of the system's serial ports,
// such as the pseudo-terminal of kadenza-sim.
QStringList namedPorts(const QCoreApplication& application) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Kadenza"));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("List the serial device PATH first."),
                                  QStringLiteral("PATH"));
    parser.addOption(port);
    parser.process(application);
    return parser.values(port);
}

int runProgram(int argc, char* argv[]) {
    using namespace kadenza;
    SetLanguage(czechLanguage);
    QtMessageBoxes boxes;
    KadenzaApplication application(argc, argv, boxes);
    TForm1 mainWindow(boxes, namedPorts(application));
    TranslateForms(mainWindow, mainWindow.setupDialog());
    mainWindow.show();
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
