#pragma once

#include <QObject>
#include <QPointer>
#include <string>

#include "archive/ArchiveRecords.h"

class QWidget;

namespace kadenza {

class ArchiveConnection;
class ArchiveError;
class ArchiveWindow;
class MessageBoxes;

// What the main window's menus do with the archive: its window, its settings, adding the data
// shown. One connection serves them all, at the place the settings name.
class ArchiveCommands : public QObject {
    Q_OBJECT

  public:
    ArchiveCommands(QWidget& mainWindow, MessageBoxes& boxes);

    ArchiveConnection& connection() const { return *connection_; }
    // The archive's window, made when first asked for.
    ArchiveWindow& window();
    void showWindow();
    // Lets the user choose the engine and the place; the window then shows the new place.
    void chooseSettings();
    // Adds a data file's bytes and tells the user what became of them: added, already there,
    // or why not (a server that cannot be reached is told at once).
    void add(const std::string& fileBytes);
    // Asks whether the data just saved, which name a site, go into the archive too.
    void offerAfterSave(const std::string& fileBytes);
    // Tells the user of a failure of the archive.
    void tell(const ArchiveError& error);
    void retranslate();

  signals:
    void openWanted(const kadenza::InspectionSummary& inspection);

  private:
    QWidget& mainWindow_;
    MessageBoxes& boxes_;
    ArchiveConnection* connection_;
    QPointer<ArchiveWindow> window_;
};

}  // namespace kadenza
