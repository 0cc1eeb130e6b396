#include <QCommandLineParser>

#include "app/KadenzaApplication.h"
#include "app/MessageBoxes.h"
#include "app/Relabelling.h"
#include "app/TForm1.h"
#include "language/Language.h"
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

}  // namespace

int main(int argc, char* argv[]) {
    using namespace kadenza;
    SetLanguage(czechLanguage);
    QtMessageBoxes boxes;
    KadenzaApplication application(argc, argv, boxes);
    TForm1 mainWindow(boxes, namedPorts(application));
    TranslateForms(mainWindow, mainWindow.setupDialog());
    mainWindow.show();
    return application.exec();
}
