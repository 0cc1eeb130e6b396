#include "app/FormTab.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/InspectionFields.h"

namespace kadenza {

namespace {

bool isList(const DetailField& field) {
    return field.editor == Editor::environments || field.editor == Editor::locations;
}

// The label a screen reader names the field by. A buddy names a line but not a list to AT-SPI,
// so each field is given its name as well.
QLabel* labelFor(const DetailField& field, QWidget* editor) {
    const StyledText text = labelOf(field);
    auto* label = new QLabel;
    label->setBuddy(editor);
    editor->setAccessibleName(text.text);
    // Plain text takes an access key; a subscript needs markup, which a reader would spell out.
    if (text.scripts.isEmpty()) {
        label->setTextFormat(Qt::PlainText);
        label->setText(text.text);
    } else {
        label->setTextFormat(Qt::RichText);
        label->setText(styledHtml(text));
    }
    return label;
}

}  // namespace

FormTab::FormTab(const std::vector<DetailField>& fields, const InspectionDetails& inspection) {
    auto* form = new QFormLayout;
    auto* formColumn = new QVBoxLayout;
    formColumn->addLayout(form);
    formColumn->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(formColumn, 1);
    for (const DetailField& field : fields) {
        QWidget* editor = fieldEditor(field, inspectionValue(inspection, field.key));
        editors_.emplace_back(field, editor);
        QLabel* label = labelFor(field, editor);
        if (!isList(field)) {
            form->addRow(label, editor);
            continue;
        }
        auto* column = new QVBoxLayout;
        column->addWidget(label);
        column->addWidget(editor, 1);
        layout->addLayout(column);
    }
}

DetailTexts FormTab::texts() const {
    DetailTexts texts;
    for (const auto& [field, editor] : editors_) {
        texts.push_back(
            {std::string("inspection.") + field.key, editorValue(editor).toStdString()});
    }
    return texts;
}

}  // namespace kadenza
