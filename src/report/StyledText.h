#pragma once

#include <QList>
#include <QString>
#include <QTextLayout>
#include <string>

namespace kadenza {

// A text as QTextLayout draws it: the characters, and the runs set lower or higher.
struct StyledText {
    QString text;
    QList<QTextLayout::FormatRange> scripts;
};

// A row text with style codes, as the tree draws it: the subscript and the superscript runs
// marked, control characters shown as blanks.
StyledText styledText(const std::string& row);

// A text from the data file or the details, shown as it is: control characters as blanks,
// a line break kept.
StyledText plainText(const std::string& text);

}  // namespace kadenza
