#include "app/DetailField.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/PeriodList.h"
#include "inspection/RevisionPeriods.h"
#include "language/Language.h"

namespace kadenza {

namespace {

constexpr int textLines = 3;

QWidget* textEditor(const QString& value) {
    auto* text = new QPlainTextEdit(value);
    // Tab goes on to the next field, as everywhere else in the window.
    text->setTabChangesFocus(true);
    text->setFixedHeight(text->fontMetrics().lineSpacing() * (textLines + 1));
    return text;
}

QWidget* newEditor(const DetailField& field, const QString& value) {
    switch (field.editor) {
        case Editor::choice:
        case Editor::editableChoice:
            return choiceBox(field, value);
        case Editor::text:
            return textEditor(value);
        case Editor::environments:
            return new PeriodList(environmentPeriods(), value);
        case Editor::locations:
            return new PeriodList(locationPeriods(), value);
        case Editor::line:
            break;
    }
    return new QLineEdit(value);
}

}  // namespace

QString rowText(int row) {
    return QString::fromUtf8(RowText(row));
}

StyledText labelOf(const DetailField& field) {
    const std::string unit = field.unit;
    return markedText(RowText(field.labelRow) + (unit.empty() ? "" : " [" + unit + "]"));
}

QComboBox* choiceBox(const DetailField& field, const QString& value) {
    auto* box = new QComboBox;
    box->setObjectName(QString::fromLatin1(field.key));
    box->setEditable(field.editor == Editor::editableChoice);
    // Return takes what was typed as the value; it adds no choice to the box.
    box->setInsertPolicy(QComboBox::NoInsert);
    for (const Choice& choice : field.choices) {
        box->addItem(choice.row != 0 ? rowText(choice.row) : choice.value, choice.value);
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

QString choiceText(const DetailField& field, const QString& value) {
    for (const Choice& choice : field.choices) {
        if (choice.value == value) {
            return choice.row != 0 ? rowText(choice.row) : choice.value;
        }
    }
    return value;
}

QWidget* fieldEditor(const DetailField& field, const QString& value) {
    QWidget* editor = newEditor(field, value);
    editor->setObjectName(QString::fromLatin1(field.key));
    return editor;
}

QString editorValue(const QWidget* editor) {
    if (const auto* box = qobject_cast<const QComboBox*>(editor)) {
        const int index = box->findText(box->currentText());
        return box->isEditable() && index < 0 ? box->currentText().trimmed()
                                              : box->itemData(index).toString();
    }
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(editor)) {
        return text->toPlainText().trimmed();
    }
    if (const auto* list = qobject_cast<const PeriodList*>(editor)) {
        return list->checkedKeys();
    }
    return qobject_cast<const QLineEdit*>(editor)->text().trimmed();
}

}  // namespace kadenza
