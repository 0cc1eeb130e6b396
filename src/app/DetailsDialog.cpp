#include "app/DetailsDialog.h"

#include <QDate>
#include <QDialogButtonBox>
#include <QKeySequence>
#include <QShortcut>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>
#include <stdexcept>

#include "app/AccessKeys.h"
#include "app/ChecklistTab.h"
#include "app/CircuitsTab.h"
#include "app/ConclusionTab.h"
#include "app/DefectsTab.h"
#include "app/DetailTable.h"
#include "app/FormTab.h"
#include "app/InspectionFields.h"
#include "app/InstrumentsTab.h"
#include "app/MessageBoxes.h"
#include "inspection/Conclusion.h"
#include "inspection/RevisionPeriods.h"
#include "model/InstrumentBank.h"
#include "report/ReportTexts.h"

namespace kadenza {

namespace {

constexpr int detailsCaptionRow = 303;
constexpr int revisionRow = 430;
constexpr int installationRow = 431;
constexpr int instrumentsRow = 400;
constexpr int inspectionRow = 403;
constexpr int defectsRow = 433;
constexpr int conclusionRow = 414;
constexpr int circuitsRow = 432;
constexpr int beyondTablesRow = 544;
constexpr int notDateRow = 545;
// Within a screen of 1366 × 768 with a panel.
constexpr QSize dialogSize(1200, 660);

// The numbers of the data's banks, each once, in order.
std::vector<int> bankNumbersOf(const InstrumentData& data) {
    std::set<int> numbers;
    for (int b = 0; b < data.count(); ++b) {
        numbers.insert(data.bank(b)->number());
    }
    return {numbers.begin(), numbers.end()};
}

// New details start from today and from the instrument of the last download.
DetailsDocument startingDetails(const DetailsDocument& details, const QString& lastModel) {
    DetailsDocument start = details;
    if (details.empty()) {
        start.set("inspection.date", QDate::currentDate().toString(Qt::ISODate).toStdString());
        start.set("inspection.model", lastModel.toStdString());
    }
    return start;
}

// Why a typed text was refused: a date in the current language with the forms it takes, anything
// else as the details say it.
QString refusalText(const DetailText& text, const std::invalid_argument& error) {
    if (DetailsDocument::holdsDate(text.name)) {
        return rowText(notDateRow).arg(QString::fromStdString(text.value).trimmed());
    }
    return QString::fromUtf8(error.what());
}

}  // namespace

DetailsDialog::DetailsDialog(const DetailsDocument& details, const InstrumentData& data,
                             const QString& lastModel, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent),
      data_(data),
      boxes_(boxes),
      edited_(startingDetails(details, lastModel)),
      tabs_(new QTabWidget) {
    setObjectName(QStringLiteral("DetailsDialog"));
    setWindowTitle(rowText(detailsCaptionRow).remove(QStringLiteral(" ...")));
    const InspectionDetails inspection = edited_.inspection();
    const std::vector<int> bankNumbers = bankNumbersOf(data);
    defects_ = new DefectsTab(edited_, bankNumbers);
    conclusion_ = new ConclusionTab(inspection);
    addTab(new FormTab(revisionFields(), inspection), revisionRow);
    addTab(new FormTab(installationFields(), inspection), installationRow);
    instruments_ = new InstrumentsTab(edited_);
    addTab(instruments_, instrumentsRow);
    addTab(new ChecklistTab(edited_), inspectionRow);
    addTab(defects_, defectsRow);
    addTab(conclusion_, conclusionRow);
    addTab(new CircuitsTab(edited_, bankNumbers), circuitsRow);
    connect(tabs_, &QTabWidget::currentChanged, this, &DetailsDialog::tabShown);
    connect(&instruments_->table(), &QTableWidget::itemChanged, this,
            [this] { instruments_->markCalibrations(currentDetails()); });
    instruments_->markCalibrations(currentDetails());
    addTabKeys();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &DetailsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DetailsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(buttons);
    resize(dialogSize);
    giveAccessKeys(*this);
}

void DetailsDialog::addTab(DetailsTab* tab, int titleRow) {
    detailTabs_.push_back(tab);
    tabs_->addTab(tab, rowText(titleRow));
}

// Ctrl+Tab and Ctrl+PgDn turn to the next tab wherever the cursor is, also in a table or a text
// that would take the keys for itself.
void DetailsDialog::addTabKeys() {
    const auto turn = [this](int by) {
        tabs_->setCurrentIndex((tabs_->currentIndex() + by + tabs_->count()) % tabs_->count());
    };
    for (const QKeySequence& keys :
         {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [turn] { turn(1); });
    }
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                     QKeySequence(Qt::CTRL | Qt::Key_PageUp)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [turn] { turn(-1); });
    }
}

// What the defects and the conclusion offer depends on the other tabs: the verdicts follow the
// circuits' details, and "safe" the defects and the kind of revision.
void DetailsDialog::tabShown(int index) {
    QWidget* shown = tabs_->widget(index);
    if (shown == defects_) {
        defects_->offerProposals(failedValueProposals(evaluate(data_, currentDetails())));
    } else if (shown == instruments_) {
        instruments_->markCalibrations(currentDetails());
    } else if (shown == conclusion_) {
        conclusion_->setReasonAgainstSafe(
            QString::fromStdString(reasonAgainstSafe(data_, currentDetails())));
    }
}

DetailsDocument DetailsDialog::currentDetails() const {
    DetailsDocument details = edited_;
    for (const DetailsTab* tab : detailTabs_) {
        for (const DetailText& text : tab->texts()) {
            try {
                details.set(text.name, text.value);
            } catch (const std::invalid_argument&) {
                // OK names it; until then the detail is as it was.
            }
        }
    }
    return details;
}

void DetailsDialog::accept() {
    DetailsDocument details = edited_;
    for (DetailsTab* tab : detailTabs_) {
        for (const DetailText& text : tab->texts()) {
            try {
                details.set(text.name, text.value);
            } catch (const std::invalid_argument& error) {
                tabs_->setCurrentWidget(tab);
                boxes_.error(this, refusalText(text, error));
                return;
            }
        }
    }
    try {
        details.checkConsistent();
    } catch (const std::invalid_argument& error) {
        boxes_.error(this, QString::fromUtf8(error.what()));
        return;
    }
    if (!nextDateKept(details)) {
        return;
    }
    edited_ = details;
    QDialog::accept();
}

bool DetailsDialog::nextDateKept(const DetailsDocument& details) {
    const std::optional<NextRevision> next = nextRevision(details.inspection());
    if (!next || next->tableDate.empty()) {
        return true;
    }
    const std::optional<NextRevision> kept = nextRevision(edited_.inspection());
    if (kept && kept->date == next->date && kept->tableDate == next->tableDate) {
        return true;
    }
    return boxes_.ask(
        this, windowTitle(),
        rowText(beyondTablesRow).arg(QString::fromStdString(nextRevisionText(*next))));
}

}  // namespace kadenza
