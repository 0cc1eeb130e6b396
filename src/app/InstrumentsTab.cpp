#include "app/InstrumentsTab.h"

#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include "app/DetailTable.h"
#include "app/NumberedTable.h"

namespace kadenza {

namespace {

constexpr int instrumentsRow = 400;

const std::vector<DetailField>& instrumentFields() {
    static const std::vector<DetailField> fields = {
        {"model", 287},
        {"serial", 288},
        {"calibrationSheet", 401},
        {"calibrationDate", 402},
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
    instruments_ = new NumberedTable("instrument", instrumentFields(), highestNumber(instruments));
    DetailTable& table = instruments_->table();
    table.setObjectName(QStringLiteral("Instruments"));
    for (const InstrumentDetails& instrument : instruments) {
        table.addRow({QString::fromStdString(instrument.model),
                      QString::fromStdString(instrument.serial),
                      QString::fromStdString(instrument.calibrationSheet),
                      QString::fromStdString(instrument.calibrationDate)});
    }
    table.horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    auto* label = new QLabel(rowText(instrumentsRow));
    label->setBuddy(&table);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(instruments_, 1);
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
