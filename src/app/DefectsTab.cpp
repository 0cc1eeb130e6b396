#include "app/DefectsTab.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "app/DetailTable.h"
#include "app/NamingLabel.h"
#include "app/NumberedTable.h"

namespace kadenza {

namespace {

constexpr int defectsRow = 408;
constexpr int proposalsRow = 438;
constexpr int addDefectRow = 547;
constexpr int addProposalRow = 548;

constexpr int textColumn = 0;
constexpr int classColumn = 1;

std::vector<DetailField> defectFields(const std::vector<int>& bankNumbers) {
    std::vector<Choice> banks{""};
    for (const int number : bankNumbers) {
        banks.emplace_back(QString::number(number));
    }
    return {
        {"text", 409},
        {"class",
         411,
         Editor::choice,
         {"",
          {dangerDefect, 444},
          {potentialDefect, 445},
          {improvementDefect, 446},
          {investigateDefect, 447}}},
        {"provision", 410},
        {"deadline", 412},
        {"bank", 267, Editor::choice, banks},
    };
}

int highestNumber(const std::vector<DefectDetails>& defects) {
    return defects.empty() ? 0 : defects.back().number;
}

QString bankText(const std::optional<int>& bank) {
    return bank ? QString::number(*bank) : QString();
}

}  // namespace

DefectsTab::DefectsTab(const DetailsDocument& details, const std::vector<int>& bankNumbers) {
    const std::vector<DefectDetails> defects = details.defects();
    defects_ = new NumberedTable("defect", defectFields(bankNumbers), highestNumber(defects),
                                 addDefectRow);
    DetailTable& table = defects_->table();
    table.setObjectName(QStringLiteral("Defects"));
    for (const DefectDetails& defect : defects) {
        table.addRow({QString::fromStdString(defect.text),
                      QString::fromStdString(defect.defectClass),
                      QString::fromStdString(defect.provision),
                      QString::fromStdString(defect.deadline), bankText(defect.bank)});
    }
    table.horizontalHeader()->setSectionResizeMode(textColumn, QHeaderView::Stretch);
    table.horizontalHeader()->setStretchLastSection(false);

    proposalList_ = new QListWidget;
    proposalList_->setObjectName(QStringLiteral("Proposals"));
    auto* take = new QPushButton(rowText(addProposalRow));
    take->setObjectName(QStringLiteral("TakeProposal"));
    connect(take, &QPushButton::clicked, this, &DefectsTab::takeProposal);
    connect(proposalList_, &QListWidget::itemActivated, this, &DefectsTab::takeProposal);

    QLabel* defectsLabel = namingLabel(rowText(defectsRow), table);
    QLabel* proposalsLabel = namingLabel(rowText(proposalsRow), *proposalList_);
    auto* layout = new QGridLayout(this);
    layout->addWidget(defectsLabel, 0, 0);
    layout->addWidget(defects_, 1, 0, 1, 2);
    layout->addWidget(proposalsLabel, 2, 0);
    layout->addWidget(proposalList_, 3, 0);
    layout->addWidget(take, 3, 1, Qt::AlignTop);
    layout->setRowStretch(1, 3);
    layout->setRowStretch(3, 1);
}

void DefectsTab::offerProposals(std::vector<DefectProposal> proposals) {
    proposals_.clear();
    proposalList_->clear();
    for (DefectProposal& proposal : proposals) {
        if (!isDefect(proposal.text)) {
            proposalList_->addItem(proposal.text);
            proposals_.push_back(std::move(proposal));
        }
    }
    proposalList_->setCurrentRow(0);
}

// The class is the technician's to choose: the cursor waits on it.
void DefectsTab::takeProposal() {
    const int row = proposalList_->currentRow();
    if (row < 0) {
        return;
    }
    const DefectProposal proposal = proposals_[static_cast<std::size_t>(row)];
    proposals_.erase(proposals_.begin() + row);
    proposalList_->model()->removeRow(row);
    defects_->addRow(
        {proposal.text, QString(), proposal.provision, QString(), QString::number(proposal.bank)},
        classColumn);
}

bool DefectsTab::isDefect(const QString& text) const {
    const DetailTable& table = defects_->table();
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.value(row, textColumn) == text) {
            return true;
        }
    }
    return false;
}

DetailTexts DefectsTab::texts() const {
    return defects_->texts();
}

}  // namespace kadenza
