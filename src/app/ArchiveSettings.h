#pragma once

#include <QString>

namespace kadenza {

// Where the windows keep the archive: KADENZA_ARCHIVE from the environment wins, then the
// place chosen in Archive settings, then the SQLite file in the user's data folder.
QString archiveLocation();
// Whether KADENZA_ARCHIVE sets the place, so that a place chosen in the windows does not count.
bool archiveLocationFromEnvironment();
// The place chosen in Archive settings; empty when none was.
QString chosenArchiveLocation();
void chooseArchiveLocation(const QString& location);

// The engine and the place as the user reads them ("SQLite file: /home/…/archive.sqlite",
// "PostgreSQL server: postgresql://team@db.example/kadenza"), a password left out.
QString archivePlaceText(const QString& location);

}  // namespace kadenza
