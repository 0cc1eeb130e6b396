#include "app/ArchiveSettings.h"

#include <QSettings>

#include "app/DetailField.h"
#include "archive/ArchiveLocation.h"
#include "archive/ConnectionSecrets.h"

namespace kadenza {

namespace {

const QString locationKey = QStringLiteral("archive/location");

constexpr int sqlitePlaceRow = 477;
constexpr int serverPlaceRow = 478;

// ~/.config/kadenza/kadenza.conf
const QString settingsFolder = QStringLiteral("kadenza");
const QString settingsName = QStringLiteral("kadenza");

}  // namespace

QString archiveLocation() {
    if (!archiveLocationFromEnvironment()) {
        const QString chosen = chosenArchiveLocation();
        if (!chosen.isEmpty()) {
            return chosen;
        }
    }
    return QString::fromStdString(defaultArchiveLocation());
}

bool archiveLocationFromEnvironment() {
    return !qEnvironmentVariableIsEmpty("KADENZA_ARCHIVE");
}

QString chosenArchiveLocation() {
    return QSettings(settingsFolder, settingsName).value(locationKey).toString();
}

void chooseArchiveLocation(const QString& location) {
    QSettings settings(settingsFolder, settingsName);
    if (location.isEmpty()) {
        settings.remove(locationKey);
    } else {
        settings.setValue(locationKey, location);
    }
}

QString archivePlaceText(const QString& location) {
    if (!isPostgresLocation(location.toStdString())) {
        return rowText(sqlitePlaceRow).arg(location);
    }
    return rowText(serverPlaceRow).arg(QString::fromStdString(shownUri(location.toStdString())));
}

}  // namespace kadenza
