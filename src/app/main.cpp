#include <QCommandLineParser>
#include <exception>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

#include "app/KadenzaApplication.h"
#include "app/MessageBoxes.h"
#include "app/Relabelling.h"
#include "app/TForm1.h"
#include "language/Language.h"
#include "model/TemporaryFiles.h"
#include "setup/TForm2.h"

namespace {

// What the command line asks for: `kadenza [--port PATH]... [FILE.tso]...`.
struct CommandLine {
    // Devices to list ahead of the system's serial ports, such as the pseudo-terminal of
    // kadenza-sim.
    QStringList namedPorts;
    // Data files to open at the start, each in a window of its own, as the desktop entry
    // passes them.
    QStringList files;
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
    parser.addPositionalArgument(QStringLiteral("file"),
                                 QStringLiteral("Data files to open, each in a window."),
                                 QStringLiteral("[FILE.tso...]"));
    parser.process(application);
    return {parser.values(port), parser.positionalArguments()};
}

// --help and --version answer on a terminal without a display, before the windows' application
// would need one; --help-all lists the windows' own options as well and waits for it.
bool asksHelpOrVersion(int argc, char* argv[]) {
    for (int i = 1; i < argc && std::string_view(argv[i]) != "--"; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "-h" || argument == "-?" || argument == "--help" || argument == "-v" ||
            argument == "--version") {
            return true;
        }
    }
    return false;
}

// Prints the help or the version and ends the program.
void answerHelpOrVersion(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    application.setApplicationName(QStringLiteral("kadenza"));
    application.setApplicationVersion(QString::fromLatin1(kadenza::programVersion()));
    parseCommandLine(application);
}

int runProgram(int argc, char* argv[]) {
    using namespace kadenza;
    if (asksHelpOrVersion(argc, argv)) {
        answerHelpOrVersion(argc, argv);
    }
    SetLanguage(czechLanguage);
    QtMessageBoxes boxes;
    KadenzaApplication application(argc, argv, boxes);
    const CommandLine commandLine = parseCommandLine(application);
    // One window without a file, or one for each file.
    const QStringList files =
        commandLine.files.isEmpty() ? QStringList(QString()) : commandLine.files;
    std::vector<std::unique_ptr<TForm1>> windows;
    for (const QString& file : files) {
        auto& window =
            windows.emplace_back(std::make_unique<TForm1>(boxes, commandLine.namedPorts));
        TranslateForms(*window, window->setupDialog());
        window->show();
        if (!file.isEmpty()) {
            window->openFile(file);
        }
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
