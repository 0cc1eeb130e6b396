#include "app/ChecklistTab.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>

#include "app/DetailField.h"
#include "inspection/Checklist.h"

namespace kadenza {

namespace {

constexpr int inspectionRow = 403;
constexpr int functionalTestsRow = 404;

DetailField resultField(const CheckItem& item) {
    return {item.name,
            item.row,
            Editor::choice,
            {"", {checkPassed, 407}, {checkDefect, 405}, {checkNotApplicable, 406}}};
}

QLabel* checkLabel(const CheckItem& item, QWidget* result) {
    auto* label = new QLabel(rowText(item.row));
    label->setWordWrap(true);
    label->setBuddy(result);
    return label;
}

}  // namespace

ChecklistTab::ChecklistTab(const DetailsDocument& details) {
    auto* inspection = new QGroupBox(rowText(inspectionRow));
    auto* functional = new QGroupBox(rowText(functionalTestsRow));
    auto* inspectionForm = new QFormLayout(inspection);
    auto* functionalForm = new QFormLayout(functional);
    for (const CheckItem& item : checklist()) {
        QComboBox* result =
            choiceBox(resultField(item), QString::fromStdString(details.check(item.name)));
        results_.emplace_back(item.name, result);
        (item.functional ? functionalForm : inspectionForm)
            ->addRow(checkLabel(item, result), result);
    }
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(inspection, 3);
    layout->addWidget(functional, 2, Qt::AlignTop);
}

DetailTexts ChecklistTab::texts() const {
    DetailTexts texts;
    for (const auto& [name, result] : results_) {
        texts.push_back({std::string("check.") + name, editorValue(result).toStdString()});
    }
    return texts;
}

}  // namespace kadenza
