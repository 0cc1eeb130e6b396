#include "app/ArchiveWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "app/AccessKeys.h"
#include "app/ArchiveConnection.h"
#include "app/ArchiveSettings.h"
#include "app/CircuitHistoryPanel.h"
#include "app/DetailField.h"
#include "app/InstallationsModel.h"
#include "app/MessageBoxes.h"
#include "app/ProgramIcon.h"
#include "app/ReportPreview.h"
#include "app/RevisionsPanel.h"
#include "inspection/InspectionFile.h"
#include "model/NativeFile.h"
#include "report/InspectionReport.h"

namespace kadenza {

namespace {

constexpr int titleRow = 463;
constexpr int searchRow = 464;
constexpr int installationsRow = 465;
constexpr int revisionsRow = 470;
constexpr int historyRow = 473;
constexpr int unusableRow = 489;

}  // namespace

ArchiveWindow::ArchiveWindow(ArchiveConnection& archive, MessageBoxes& boxes, QWidget* parent)
    : QMainWindow(parent), archive_(archive), boxes_(boxes) {
    setObjectName(QStringLiteral("ArchiveWindow"));
    setWindowIcon(programIcon());
    installations_ = new InstallationsModel(this);
    shown_ = new QSortFilterProxyModel(this);
    shown_->setSourceModel(installations_);
    shown_->setSortRole(InstallationsModel::sortRole);
    shown_->setFilterRole(InstallationsModel::searchRole);
    shown_->setFilterKeyColumn(InstallationsModel::siteColumn);
    buildLayout();
    resize(1320, 700);
    retranslate();
}

void ArchiveWindow::buildLayout() {
    auto* client = new QWidget(this);
    setCentralWidget(client);
    place_ = new QLabel(client);
    place_->setObjectName(QStringLiteral("ArchivePlace"));
    place_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("ArchiveSearch"));
    search_->setClearButtonEnabled(true);
    searchLabel_ = new QLabel(this);
    searchLabel_->setBuddy(search_);
    connect(search_, &QLineEdit::textChanged, this, &ArchiveWindow::searchFor);

    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("InstallationsTable"));
    table_->setModel(shown_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(InstallationsModel::nextColumn, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    table_->setWordWrap(false);
    // Columns fit what the first rows hold: measuring thousands of rows would hold the window.
    table_->horizontalHeader()->setResizeContentsPrecision(200);
    table_->horizontalHeader()->setStretchLastSection(true);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &ArchiveWindow::installationChosen);

    revisions_ = new RevisionsPanel(this);
    history_ = new CircuitHistoryPanel(this);
    tabs_ = new QTabWidget(this);
    tabs_->addTab(revisions_, QString());
    tabs_->addTab(history_, QString());
    connect(revisions_, &RevisionsPanel::openWanted, this, &ArchiveWindow::openWanted);
    connect(revisions_, &RevisionsPanel::reportWanted, this, &ArchiveWindow::writeReport);
    connect(history_, &CircuitHistoryPanel::historyWanted, this, &ArchiveWindow::loadHistory);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(table_);
    splitter->addWidget(tabs_);
    splitter->setSizes({600, 720});
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel_);
    searchRow->addWidget(search_, 1);
    auto* layout = new QVBoxLayout(client);
    layout->addWidget(place_);
    layout->addLayout(searchRow);
    layout->addWidget(splitter, 1);

    connect(new QShortcut(QKeySequence::Find, this), &QShortcut::activated, search_,
            qOverload<>(&QWidget::setFocus));
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            &QWidget::close);
    setTabOrder(search_, table_);
    setTabOrder(table_, tabs_);
    // The window opens with the keys in the search: a word typed finds an installation.
    search_->setFocus();
}

void ArchiveWindow::reload() {
    place_->setText(archivePlaceText(archive_.location()));
    archive_.run<std::vector<InspectionSummary>>(
        *this, [](Archive& archive) { return archive.installations(); },
        [this](const std::vector<InspectionSummary>& installations) {
            installations_->setInstallations(installations);
            table_->resizeColumnsToContents();
            if (shown_->rowCount() > 0 && !table_->currentIndex().isValid()) {
                table_->setCurrentIndex(shown_->index(0, 0));
            }
            emit installationsShown();
        },
        [this](const ArchiveError& error) { showProblem(error); });
}

void ArchiveWindow::setToday(const QDate& today) {
    installations_->setToday(today);
}

void ArchiveWindow::retranslate() {
    setWindowTitle(rowText(titleRow));
    place_->setText(archivePlaceText(archive_.location()));
    searchLabel_->setText(rowText(searchRow));
    search_->setAccessibleName(rowText(searchRow));
    table_->setAccessibleName(rowText(installationsRow));
    tabs_->setTabText(0, rowText(revisionsRow));
    tabs_->setTabText(1, rowText(historyRow));
    installations_->retranslate();
    revisions_->retranslate();
    history_->retranslate();
    giveAccessKeys(*this);
}

void ArchiveWindow::searchFor(const QString& text) {
    shown_->setFilterFixedString(searchText(text.trimmed()));
}

QString ArchiveWindow::chosenSite() const {
    const QModelIndex current = shown_->mapToSource(table_->currentIndex());
    return current.isValid()
               ? QString::fromStdString(installations_->installation(current.row()).site)
               : QString();
}

void ArchiveWindow::installationChosen() {
    const QString site = chosenSite();
    if (site.isEmpty()) {
        return;
    }
    const std::string key = site.toStdString();
    archive_.run<std::vector<RevisionSummary>>(
        *this, [key](Archive& archive) { return archive.revisions(key); },
        [this](const std::vector<RevisionSummary>& revisions) {
            revisions_->showRevisions(revisions);
        },
        [this](const ArchiveError& error) { showProblem(error); });
    archive_.run<std::vector<CircuitQuantities>>(
        *this, [key](Archive& archive) { return archive.circuits(key); },
        [this](const std::vector<CircuitQuantities>& circuits) {
            history_->showCircuits(circuits);
        },
        [this](const ArchiveError& error) { showProblem(error); });
}

void ArchiveWindow::loadHistory(const QString& circuit, const QString& symbol) {
    const std::string site = chosenSite().toStdString();
    archive_.run<std::vector<HistoryPoint>>(
        *this,
        [site, circuit = circuit.toStdString(), symbol = symbol.toStdString()](Archive& archive) {
            return archive.history(site, circuit, symbol);
        },
        [this, circuit](const std::vector<HistoryPoint>& points) {
            history_->showHistory(circuit, points);
        },
        [this](const ArchiveError& error) { showProblem(error); });
}

// The report as it was written when the revision was made: the kept file's data and details.
void ArchiveWindow::writeReport(const InspectionSummary& inspection) {
    const std::int64_t id = inspection.id;
    archive_.run<std::string>(
        *this, [id](Archive& archive) { return archive.fileBytes(id); },
        [this](const std::string& bytes) {
            InstrumentData data;
            DetailsDocument details;
            try {
                if (!openNativeBytes(bytes, data)) {
                    throw std::runtime_error("The archived file holds no data");
                }
                details = detailsOfFile(bytes);
            } catch (const std::exception& error) {
                boxes_.error(this, QString::fromUtf8(error.what()));
                return;
            }
            auto* preview = new ReportPreview(revisionReport(data, details), details.inspection(),
                                              boxes_, this);
            preview->show();
        },
        [this](const ArchiveError& error) { showProblem(error); });
}

void ArchiveWindow::showProblem(const ArchiveError& error) {
    boxes_.failure(this, windowTitle(),
                   rowText(unusableRow) + QStringLiteral(" ") + QString::fromUtf8(error.what()));
}

}  // namespace kadenza
