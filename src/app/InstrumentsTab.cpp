#include "app/InstrumentsTab.h"

#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/DetailTable.h"
#include "app/NamingLabel.h"
#include "app/NumberedTable.h"
#include "app/ReadableColour.h"
#include "inspection/CalibrationCheck.h"

namespace kadenza {

namespace {

constexpr int instrumentsRow = 400;
constexpr int addRow = 439;
constexpr int calibrationDateColumn = 3;

const std::vector<DetailField>& instrumentFields() {
    static const std::vector<DetailField> fields = {
        {"model", 287},
        {"serial", 288},
        {"calibrationSheet", 401},
        {"calibrationDate", 402},
        {"calibrationInterval", 543},
    };
    return fields;
}

int highestNumber(const std::vector<InstrumentDetails>& instruments) {
    return instruments.empty() ? 0 : instruments.back().number;
}

}  // namespace

InstrumentsTab::InstrumentsTab(const DetailsDocument& details)
    : downloadModel_(details.inspection().model), downloadSerial_(details.inspection().serial) {
    const std::vector<InstrumentDetails> instruments = details.instruments();
    instruments_ =
        new NumberedTable("instrument", instrumentFields(), highestNumber(instruments), addRow);
    DetailTable& table = instruments_->table();
    table.setObjectName(QStringLiteral("Instruments"));
    for (const InstrumentDetails& instrument : instruments) {
        table.addRow(
            {QString::fromStdString(instrument.model), QString::fromStdString(instrument.serial),
             QString::fromStdString(instrument.calibrationSheet),
             QString::fromStdString(instrument.calibrationDate),
             instrument.calibrationInterval ? QString::number(*instrument.calibrationInterval)
                                            : QString()});
    }
    table.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    QLabel* label = namingLabel(rowText(instrumentsRow), table);
    calibrationFaults_ = new QLabel;
    calibrationFaults_->setObjectName(QStringLiteral("calibrationFaults"));
    calibrationFaults_->setWordWrap(true);
    QPalette palette = calibrationFaults_->palette();
    palette.setColor(QPalette::WindowText, readableRedText(palette.color(QPalette::Window)));
    calibrationFaults_->setPalette(palette);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(instruments_, 1);
    layout->addWidget(calibrationFaults_);
    calibrationFaults_->hide();
}

DetailTable& InstrumentsTab::table() {
    return instruments_->table();
}

void InstrumentsTab::markCalibrations(const DetailsDocument& details) {
    DetailTable& table = instruments_->table();
    // Marking changes the cells, which must not read as the user's edit.
    const QSignalBlocker quiet(table);
    const InspectionDetails inspection = details.inspection();
    const QColor red = readableRedText(table.palette().color(QPalette::Base));
    QStringList faults;
    // The details as the tabs give them: instrument n in the table's row n.
    for (const InstrumentDetails& instrument : details.instruments()) {
        QTableWidgetItem* date = table.item(instrument.number - 1, calibrationDateColumn);
        if (date == nullptr) {
            continue;
        }
        const QString fault = QString::fromStdString(calibrationFault(instrument, inspection));
        date->setData(Qt::ForegroundRole, fault.isEmpty() ? QVariant() : QVariant(red));
        date->setToolTip(fault);
        if (!fault.isEmpty()) {
            faults << fault;
        }
    }
    calibrationFaults_->setText(faults.join(QStringLiteral("\n")));
    calibrationFaults_->setVisible(!faults.isEmpty());
}

// The first instrument's model and serial number are stored only where they are not the
// download's, so that the download's stay the first instrument's.
DetailTexts InstrumentsTab::texts() const {
    DetailTexts texts = instruments_->texts();
    for (DetailText& text : texts) {
        if ((text.name == "instrument.1.model" && text.value == downloadModel_) ||
            (text.name == "instrument.1.serial" && text.value == downloadSerial_)) {
            text.value.clear();
        }
    }
    return texts;
}

}  // namespace kadenza
