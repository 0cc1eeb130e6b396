#include "app/KadenzaApplication.h"

#include <exception>

#include "app/MessageBoxes.h"

namespace kadenza {

KadenzaApplication::KadenzaApplication(int& argc, char** argv, MessageBoxes& boxes)
    : QApplication(argc, argv), boxes_(boxes) {
    // No display name: the platform would add it to every window's title ("Chyba — Kadenza").
    // The window system names the program "Kadenza" from the name, its first letter raised.
    setApplicationName(QStringLiteral("kadenza"));
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
