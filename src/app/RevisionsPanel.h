#pragma once

#include <QWidget>
#include <cstdint>
#include <vector>

#include "archive/ArchiveRecords.h"

class QPushButton;
class QTableWidget;

namespace kadenza {

// An installation's revisions, newest first, each with its overall result and its values
// counted by verdict; Open brings the chosen one into the main window, Write report makes its
// report again.
class RevisionsPanel : public QWidget {
    Q_OBJECT

  public:
    explicit RevisionsPanel(QWidget* parent = nullptr);

    void showRevisions(std::vector<RevisionSummary> revisions);
    const std::vector<RevisionSummary>& revisions() const { return revisions_; }
    void retranslate();

  signals:
    void openWanted(const kadenza::InspectionSummary& inspection);
    void reportWanted(const kadenza::InspectionSummary& inspection);

  private:
    void fillRows();
    // The revision of the current row; none when no row is chosen.
    const InspectionSummary* chosen() const;

    QTableWidget* table_;
    QPushButton* open_;
    QPushButton* report_;
    std::vector<RevisionSummary> revisions_;
};

}  // namespace kadenza
