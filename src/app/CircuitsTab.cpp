#include "app/CircuitsTab.h"

#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include "app/DetailTable.h"
#include "app/NamingLabel.h"

namespace kadenza {

namespace {

// The long names of the columns wrap onto this many lines.
constexpr int headerLines = 3;

constexpr int bankRow = 267;
constexpr int circuitsRow = 432;
constexpr int yesRow = 320;
constexpr int noRow = 321;

const std::vector<DetailField>& bankFields() {
    static const std::vector<DetailField> fields = {
        {"label", 293},
        {"device",
         294,
         Editor::editableChoice,
         {"", "B6", "B10", "B16", "B20", "B25", "B32", "C10", "C16", "C20", "C25", "C32", "D16"}},
        {"rcdCurrent",
         295,
         Editor::editableChoice,
         {"", "6", "10", "30", "100", "300", "500", "1000"},
         "mA"},
        {"rcdType", 296, Editor::choice, {"", "AC", "A", "F", "B"}},
        {"rcdSelective", 297, Editor::choice, {"", {"true", yesRow}, {"false", noRow}}},
        {"earthing", 298, Editor::choice, {"", "TN", "TN-C", "TN-S", "TN-C-S", "TT", "IT"}},
        {"nominalVoltage", 299, Editor::editableChoice, {"", "230", "400", "SELV", "PELV"}, "V"},
        {"peLimit", 300, Editor::line, {}, "Ω"},
        {"applianceClass", 301, Editor::choice, {"", "I", "II", "III"}},
        {"cordLength", 302, Editor::line, {}, "m"},
        {"remarks", 292},
    };
    return fields;
}

QString flagText(const std::optional<bool>& flag) {
    if (!flag) {
        return {};
    }
    return *flag ? QStringLiteral("true") : QStringLiteral("false");
}

QString numberText(const std::optional<double>& number) {
    return number ? QString::number(*number) : QString();
}

// A bank's details as its row shows them, in the order of bankFields().
std::vector<QString> bankValues(const BankDetails& bank) {
    return {QString::fromStdString(bank.label),
            QString::fromStdString(bank.device),
            numberText(bank.rcdCurrent),
            QString::fromStdString(bank.rcdType),
            flagText(bank.rcdSelective),
            QString::fromStdString(bank.earthing),
            QString::fromStdString(bank.nominalVoltage),
            numberText(bank.peLimit),
            QString::fromStdString(bank.applianceClass),
            numberText(bank.cordLength),
            QString::fromStdString(bank.remarks)};
}

}  // namespace

CircuitsTab::CircuitsTab(const DetailsDocument& details, std::vector<int> bankNumbers)
    : bankNumbers_(std::move(bankNumbers)), banks_(new DetailTable(bankFields())) {
    banks_->setObjectName(QStringLiteral("Banks"));
    QStringList rows;
    for (const int number : bankNumbers_) {
        banks_->addRow(bankValues(details.bank(number)));
        rows << rowText(bankRow) + QStringLiteral(" ") + QString::number(number);
    }
    banks_->setVerticalHeaderLabels(rows);
    // Every column in the width of the dialog, the long names on more lines: the table does
    // not scroll sideways on a screen of 1366 × 768.
    QHeaderView* header = banks_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Stretch);
    header->setStretchLastSection(false);
    header->setMinimumHeight(header->fontMetrics().lineSpacing() * headerLines +
                             header->style()->pixelMetric(QStyle::PM_HeaderMargin) * 2);
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter) | Qt::Alignment(Qt::TextWordWrap));
    QLabel* label = namingLabel(rowText(circuitsRow), *banks_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(banks_, 1);
}

DetailTexts CircuitsTab::texts() const {
    DetailTexts texts;
    for (std::size_t row = 0; row < bankNumbers_.size(); ++row) {
        const std::string prefix = "bank." + std::to_string(bankNumbers_[row]) + ".";
        for (int column = 0; column < banks_->columnCount(); ++column) {
            texts.push_back({prefix + banks_->field(column).key,
                             banks_->value(static_cast<int>(row), column).toStdString()});
        }
    }
    return texts;
}

}  // namespace kadenza
