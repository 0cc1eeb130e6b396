#include "app/KadenzaApplication.h"

#include <exception>

#include "app/KeyboardStyle.h"
#include "app/MessageBoxes.h"
#include "language/Language.h"

namespace kadenza {

KadenzaApplication::KadenzaApplication(int& argc, char** argv, MessageBoxes& boxes)
    : QApplication(argc, argv), boxes_(boxes) {
    // No display name: the platform would add it to every window's title ("Chyba — Kadenza").
    // The window system names the program "Kadenza" from the name, its first letter raised,
    // and finds its icon and entry through the desktop file.
    setApplicationName(QStringLiteral("kadenza"));
    setApplicationVersion(QString::fromLatin1(programVersion()));
    setDesktopFileName(QStringLiteral("org.kadenza.Kadenza"));
    setStyle(new KeyboardStyle);
}

bool KadenzaApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        boxes_.error(activeWindow(), QString::fromUtf8(error.what()));
    }
    return false;
}

}  // namespace kadenza
