#pragma once

#include <QDate>
#include <QMainWindow>

#include "archive/ArchiveRecords.h"

class QLabel;
class QLineEdit;
class QSortFilterProxyModel;
class QTabWidget;
class QTableView;

namespace kadenza {

class ArchiveConnection;
class ArchiveError;
class CircuitHistoryPanel;
class InstallationsModel;
class MessageBoxes;
class RevisionsPanel;

// The archive of inspections: which installations fall due, soonest first, found by typing
// a word of their site or client; the chosen installation's revisions and a circuit's values
// over the years. The engine and the place of the archive show at the top.
class ArchiveWindow : public QMainWindow {
    Q_OBJECT

  public:
    ArchiveWindow(ArchiveConnection& archive, MessageBoxes& boxes, QWidget* parent = nullptr);

    // Reads the installations again, from the place the connection now names.
    void reload();
    // The day that overdue and due soon are counted from; the computer's date unless set.
    void setToday(const QDate& today);
    void retranslate();

    InstallationsModel& installations() const { return *installations_; }
    QSortFilterProxyModel& shownInstallations() const { return *shown_; }
    RevisionsPanel& revisions() const { return *revisions_; }
    CircuitHistoryPanel& history() const { return *history_; }

  signals:
    // The user asked for the revision in the main window.
    void openWanted(const kadenza::InspectionSummary& inspection);
    // The installations are shown: every answer to reload has come.
    void installationsShown();

  private:
    void buildLayout();
    void searchFor(const QString& text);
    void installationChosen();
    void loadHistory(const QString& circuit, const QString& symbol);
    void writeReport(const InspectionSummary& inspection);
    void showProblem(const ArchiveError& error);
    QString chosenSite() const;

    ArchiveConnection& archive_;
    MessageBoxes& boxes_;
    QLabel* place_;
    QLabel* searchLabel_;
    QLineEdit* search_;
    InstallationsModel* installations_;
    QSortFilterProxyModel* shown_;
    QTableView* table_;
    QTabWidget* tabs_;
    RevisionsPanel* revisions_;
    CircuitHistoryPanel* history_;
};

}  // namespace kadenza
