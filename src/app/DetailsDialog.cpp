#include "app/DetailsDialog.h"

#include <QComboBox>
#include <QDate>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>
#include <stdexcept>

#include "app/MessageBoxes.h"
#include "language/Language.h"
#include "model/InstrumentBank.h"
#include "report/StyledText.h"

namespace kadenza {

namespace {

constexpr int bankRow = 267;
constexpr int detailsCaptionRow = 303;
constexpr int automaticRow = 309;
constexpr int yesRow = 320;
constexpr int noRow = 321;

// One choice of a field with a fixed set of values: the value stored, and the row of the text
// shown for it (0: the value itself).
struct Choice {
    Choice(const char* stored, int textRow = 0) : value(stored), row(textRow) {}

    const char* value;
    int row;
};

enum class Editor { line, choice, editableChoice, text };

// A detail as the dialog edits it: its name in the document, the row of its label, and how it
// is typed in.
struct Field {
    const char* key;
    int labelRow;
    Editor editor = Editor::line;
    std::vector<Choice> choices = {};
    // The unit a number is typed in, after the label.
    const char* unit = "";
};

const std::vector<Field>& inspectionFields() {
    static const std::vector<Field> fields = {
        {"client", 280},
        {"site", 281},
        {"object", 282},
        {"inspector", 283},
        {"licence", 284},
        {"date", 285},
        {"nextDate", 286},
        {"model", 287},
        {"serial", 288},
        {"profile",
         289,
         Editor::choice,
         {{"", automaticRow},
          {"installation-2016", 306},
          {"installation-2006", 307},
          {"installation-2001", 331},
          {"appliance", 308}}},
        {"touchVoltageLimit", 290, Editor::choice, {"50", "25"}, "V"},
        {"loopFactor", 291, Editor::choice, {"1", "0.8", "2/3"}},
        {"remarks", 292, Editor::text},
    };
    return fields;
}

const std::vector<Field>& bankFields() {
    static const std::vector<Field> fields = {
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

QString rowText(int row) {
    return QString::fromUtf8(RowText(row));
}

// The label with its unit; "U_L" with the L set lower as rich text, or run together where
// only plain text can be shown (a table's header).
StyledText labelOf(const Field& field) {
    const std::string unit = field.unit;
    return markedText(RowText(field.labelRow) + (unit.empty() ? "" : " [" + unit + "]"));
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

QComboBox* choiceBox(const Field& field, const QString& value) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(field.key));
    box->setEditable(field.editor == Editor::editableChoice);
    for (const Choice& choice : field.choices) {
        const QString stored = QString::fromLatin1(choice.value);
        box->addItem(choice.row != 0 ? rowText(choice.row) : stored, stored);
    }
    // A value none of the choices is (a file written by hand) stays, for OK to name.
    if (box->findData(value) < 0 && !box->isEditable()) {
        box->addItem(value, value);
    }
    const int index = box->findData(value);
    if (index >= 0) {
        box->setCurrentIndex(index);
    } else {
        box->setEditText(value);
    }
    return box;
}

QWidget* fieldEditor(const Field& field, const QString& value) {
    if (field.editor == Editor::choice || field.editor == Editor::editableChoice) {
        return choiceBox(field, value);
    }
    if (field.editor == Editor::text) {
        auto* text = new QPlainTextEdit(value);
        text->setObjectName(QString::fromLatin1(field.key));
        text->setFixedHeight(text->fontMetrics().lineSpacing() * 4);
        return text;
    }
    auto* line = new QLineEdit(value);
    line->setObjectName(QString::fromLatin1(field.key));
    return line;
}

// The inspection's details as the fields show them, in the order of inspectionFields().
std::vector<QString> inspectionValues(const InspectionDetails& inspection) {
    return {
        QString::fromStdString(inspection.client),   QString::fromStdString(inspection.site),
        QString::fromStdString(inspection.object),   QString::fromStdString(inspection.inspector),
        QString::fromStdString(inspection.licence),  QString::fromStdString(inspection.date),
        QString::fromStdString(inspection.nextDate), QString::fromStdString(inspection.model),
        QString::fromStdString(inspection.serial),   QString::fromStdString(inspection.profile),
        numberText(inspection.touchVoltageLimit),    QString::fromStdString(inspection.loopFactor),
        QString::fromStdString(inspection.remarks)};
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

// The numbers of the data's banks, each once, in order.
std::vector<int> bankNumbersOf(const InstrumentData& data) {
    std::set<int> numbers;
    for (int b = 0; b < data.count(); ++b) {
        numbers.insert(data.bank(b)->number());
    }
    return {numbers.begin(), numbers.end()};
}

}  // namespace

DetailsDialog::DetailsDialog(const DetailsDocument& details, const InstrumentData& data,
                             const QString& lastModel, MessageBoxes& boxes, QWidget* parent)
    : QDialog(parent), boxes_(boxes), edited_(details), bankNumbers_(bankNumbersOf(data)) {
    setObjectName(QStringLiteral("DetailsDialog"));
    setWindowTitle(rowText(detailsCaptionRow).remove(QStringLiteral(" ...")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &DetailsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DetailsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(inspectionForm(details, lastModel));
    layout->addWidget(bankTable(details), 1);
    layout->addWidget(buttons);
    resize(980, 640);
}

QWidget* DetailsDialog::inspectionForm(const DetailsDocument& details, const QString& lastModel) {
    InspectionDetails inspection = details.inspection();
    if (details.empty()) {
        inspection.date = QDate::currentDate().toString(Qt::ISODate).toStdString();
        inspection.model = lastModel.toStdString();
    }
    const std::vector<QString> values = inspectionValues(inspection);
    auto* form = new QWidget;
    auto* layout = new QFormLayout(form);
    const std::vector<Field>& fields = inspectionFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        QWidget* editor = fieldEditor(fields[i], values[i]);
        inspectionFields_.push_back(editor);
        auto* label = new QLabel(styledHtml(labelOf(fields[i])));
        label->setTextFormat(Qt::RichText);
        layout->addRow(label, editor);
    }
    return form;
}

QTableWidget* DetailsDialog::bankTable(const DetailsDocument& details) {
    const std::vector<Field>& fields = bankFields();
    banks_ =
        new QTableWidget(static_cast<int>(bankNumbers_.size()), static_cast<int>(fields.size()));
    banks_->setObjectName(QStringLiteral("Banks"));
    QStringList headers;
    for (const Field& field : fields) {
        headers << labelOf(field).text;
    }
    banks_->setHorizontalHeaderLabels(headers);
    QStringList rows;
    for (std::size_t row = 0; row < bankNumbers_.size(); ++row) {
        rows << rowText(bankRow) + QStringLiteral(" ") + QString::number(bankNumbers_[row]);
        fillBankRow(static_cast<int>(row), details.bank(bankNumbers_[row]));
    }
    banks_->setVerticalHeaderLabels(rows);
    banks_->horizontalHeader()->setMinimumSectionSize(72);
    banks_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    banks_->horizontalHeader()->setStretchLastSection(true);
    return banks_;
}

void DetailsDialog::fillBankRow(int row, const BankDetails& bank) {
    const std::vector<Field>& fields = bankFields();
    const std::vector<QString> values = bankValues(bank);
    for (std::size_t column = 0; column < fields.size(); ++column) {
        const Field& field = fields[column];
        const int col = static_cast<int>(column);
        if (field.editor == Editor::choice || field.editor == Editor::editableChoice) {
            banks_->setCellWidget(row, col, choiceBox(field, values[column]));
            continue;
        }
        banks_->setItem(row, col, new QTableWidgetItem(values[column]));
    }
}

QString DetailsDialog::valueOf(const QWidget* field) const {
    if (const auto* box = qobject_cast<const QComboBox*>(field)) {
        const int index = box->findText(box->currentText());
        return box->isEditable() && index < 0 ? box->currentText().trimmed()
                                              : box->itemData(index).toString();
    }
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(field)) {
        return text->toPlainText().trimmed();
    }
    return qobject_cast<const QLineEdit*>(field)->text().trimmed();
}

QString DetailsDialog::cellValue(int row, int column) const {
    if (const QWidget* widget = banks_->cellWidget(row, column)) {
        return valueOf(widget);
    }
    return banks_->item(row, column)->text().trimmed();
}

DetailsDocument DetailsDialog::editedDetails() const {
    DetailsDocument details = edited_;
    const std::vector<Field>& fields = inspectionFields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        details.set(std::string("inspection.") + fields[i].key,
                    valueOf(inspectionFields_[i]).toStdString());
    }
    const std::vector<Field>& columns = bankFields();
    for (std::size_t row = 0; row < bankNumbers_.size(); ++row) {
        const std::string bank = "bank." + std::to_string(bankNumbers_[row]) + ".";
        for (std::size_t column = 0; column < columns.size(); ++column) {
            details.set(bank + columns[column].key,
                        cellValue(static_cast<int>(row), static_cast<int>(column)).toStdString());
        }
    }
    return details;
}

void DetailsDialog::accept() {
    try {
        const DetailsDocument edited = editedDetails();
        edited.checkConsistent();
        edited_ = edited;
    } catch (const std::invalid_argument& error) {
        boxes_.error(this, QString::fromUtf8(error.what()));
        return;
    }
    QDialog::accept();
}

}  // namespace kadenza
