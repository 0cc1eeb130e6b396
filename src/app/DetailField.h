#pragma once

#include <QString>
#include <vector>

#include "report/StyledText.h"

class QComboBox;
class QWidget;

namespace kadenza {

// One choice of a detail with a fixed set of values: the value stored, and the row of the text
// shown for it (0: the value itself).
struct Choice {
    Choice(const char* stored, int textRow = 0) : value(QString::fromUtf8(stored)), row(textRow) {}
    Choice(QString stored, int textRow = 0) : value(std::move(stored)), row(textRow) {}

    QString value;
    int row;
};

// How a detail is typed in: a line, one of the choices, one of them or a line, a text of
// several lines, or some of the entries of a table of revision periods.
enum class Editor { line, choice, editableChoice, text, environments, locations };

// A detail as the windows edit it: its key within its part of the document, the row of its
// label, and how it is typed in.
struct DetailField {
    const char* key;
    int labelRow;
    Editor editor = Editor::line;
    std::vector<Choice> choices = {};
    // The unit a number is typed in, after the label.
    const char* unit = "";
};

QString rowText(int row);

// The label with its unit; "U_L" has the L set lower.
StyledText labelOf(const DetailField& field);

// The widget that edits the detail, showing `value`, its object named after the detail's key.
QWidget* fieldEditor(const DetailField& field, const QString& value);
QComboBox* choiceBox(const DetailField& field, const QString& value);

// What a choice box shows for a stored value: the choice's text, or the value none is for.
QString choiceText(const DetailField& field, const QString& value);

// The text an editor of fieldEditor holds, as the document takes it: a choice's stored value, a
// text trimmed, the keys of the entries checked.
QString editorValue(const QWidget* editor);

}  // namespace kadenza
