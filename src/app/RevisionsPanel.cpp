#include "app/RevisionsPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/CurrentRowOnEntry.h"
#include "app/DetailField.h"
#include "app/InstallationsModel.h"
#include "app/ReadOnlyRow.h"

namespace kadenza {

namespace {

constexpr int revisionsRow = 470;
constexpr int openRow = 471;
constexpr int reportRow = 472;
// Date, overall verdict, passed, failed, not judged, inspector.
constexpr int headerRows[] = {285, 311, 314, 315, 316, 283};

}  // namespace

RevisionsPanel::RevisionsPanel(QWidget* parent) : QWidget(parent) {
    table_ = new QTableWidget(0, std::size(headerRows), this);
    table_->setObjectName(QStringLiteral("RevisionsTable"));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false);
    tellCurrentRowOnEntry(*table_);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    open_ = new QPushButton(this);
    open_->setObjectName(QStringLiteral("OpenRevision"));
    report_ = new QPushButton(this);
    report_->setObjectName(QStringLiteral("RevisionReport"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open_);
    buttons->addWidget(report_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    layout->addLayout(buttons);

    connect(table_, &QTableWidget::itemActivated, this, [this] {
        if (const InspectionSummary* inspection = chosen()) {
            emit openWanted(*inspection);
        }
    });
    connect(open_, &QPushButton::clicked, this, [this] {
        if (const InspectionSummary* inspection = chosen()) {
            emit openWanted(*inspection);
        }
    });
    connect(report_, &QPushButton::clicked, this, [this] {
        if (const InspectionSummary* inspection = chosen()) {
            emit reportWanted(*inspection);
        }
    });
    retranslate();
}

void RevisionsPanel::showRevisions(std::vector<RevisionSummary> revisions) {
    revisions_ = std::move(revisions);
    fillRows();
    if (!revisions_.empty()) {
        table_->selectRow(0);
    }
    open_->setEnabled(!revisions_.empty());
    report_->setEnabled(!revisions_.empty());
}

void RevisionsPanel::retranslate() {
    QStringList headers;
    for (const int row : headerRows) {
        headers << rowText(row);
    }
    table_->setHorizontalHeaderLabels(headers);
    table_->setAccessibleName(rowText(revisionsRow));
    open_->setText(rowText(openRow));
    report_->setText(rowText(reportRow));
    fillRows();
}

void RevisionsPanel::fillRows() {
    const int current = table_->currentRow();
    table_->setRowCount(static_cast<int>(revisions_.size()));
    for (int row = 0; row < table_->rowCount(); ++row) {
        const RevisionSummary& revision = revisions_[row];
        setReadOnlyRow(*table_, row,
                       {QString::fromStdString(revision.inspection.date),
                        overallText(revision.inspection.overall), QString::number(revision.passed),
                        QString::number(revision.failed), QString::number(revision.unjudged),
                        QString::fromStdString(revision.inspection.inspector)});
    }
    table_->resizeColumnsToContents();
    if (current >= 0 && current < table_->rowCount()) {
        table_->selectRow(current);
    }
}

const InspectionSummary* RevisionsPanel::chosen() const {
    const int row = table_->currentRow();
    if (row < 0 || row >= static_cast<int>(revisions_.size())) {
        return nullptr;
    }
    return &revisions_[row].inspection;
}

}  // namespace kadenza
