#include "app/ArchiveCommands.h"

#include "app/ArchiveConnection.h"
#include "app/ArchiveSettings.h"
#include "app/ArchiveSettingsDialog.h"
#include "app/ArchiveWindow.h"
#include "app/DetailField.h"
#include "app/MessageBoxes.h"

namespace kadenza {

namespace {

constexpr int titleRow = 463;
constexpr int addedRow = 486;
constexpr int duplicateRow = 487;
constexpr int unreachableRow = 488;
constexpr int unusableRow = 489;
constexpr int offerRow = 490;

}  // namespace

ArchiveCommands::ArchiveCommands(QWidget& mainWindow, MessageBoxes& boxes)
    : QObject(&mainWindow),
      mainWindow_(mainWindow),
      boxes_(boxes),
      connection_(new ArchiveConnection(archiveLocation(), this)) {}

ArchiveWindow& ArchiveCommands::window() {
    if (!window_) {
        window_ = new ArchiveWindow(*connection_, boxes_, &mainWindow_);
        connect(window_, &ArchiveWindow::openWanted, this, &ArchiveCommands::openWanted);
        window_->reload();
    }
    return *window_;
}

void ArchiveCommands::showWindow() {
    ArchiveWindow& shown = window();
    shown.show();
    shown.raise();
    shown.activateWindow();
}

void ArchiveCommands::chooseSettings() {
    ArchiveSettingsDialog dialog(&mainWindow_);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    chooseArchiveLocation(dialog.location());
    connection_->setLocation(archiveLocation());
    if (window_) {
        window_->reload();
    }
}

void ArchiveCommands::add(const std::string& fileBytes) {
    connection_->run<AddResult>(
        mainWindow_, [fileBytes](Archive& archive) { return archive.add(fileBytes); },
        [this](const AddResult& result) {
            const QString id = QString::number(result.id);
            boxes_.information(&mainWindow_, rowText(titleRow),
                               rowText(result.added ? addedRow : duplicateRow).arg(id));
            if (result.added && window_) {
                window_->reload();
            }
        },
        [this](const ArchiveError& error) { tell(error); });
}

void ArchiveCommands::offerAfterSave(const std::string& fileBytes) {
    if (boxes_.ask(&mainWindow_, rowText(titleRow), rowText(offerRow))) {
        add(fileBytes);
    }
}

void ArchiveCommands::tell(const ArchiveError& error) {
    const QString reason = QString::fromUtf8(error.what());
    boxes_.failure(&mainWindow_, rowText(titleRow),
                   error.problem() == ArchiveProblem::unreachable
                       ? rowText(unreachableRow) + QStringLiteral("\n") + reason
                       : rowText(unusableRow) + QStringLiteral(" ") + reason);
}

void ArchiveCommands::retranslate() {
    if (window_) {
        window_->retranslate();
    }
}

}  // namespace kadenza
