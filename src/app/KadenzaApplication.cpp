#include "app/KadenzaApplication.h"

#include <exception>

#include "app/MessageBoxes.h"

namespace kadenza {

KadenzaApplication::KadenzaApplication(int& argc, char** argv, MessageBoxes& boxes)
    : QApplication(argc, argv), boxes_(boxes) {
    setApplicationName(QStringLiteral("kadenza"));
    setApplicationDisplayName(QStringLiteral("Kadenza"));
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
