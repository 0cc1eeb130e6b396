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

// A text a user typed or a file holds (a client, a site, a label, a remark, a note): shown as
// plainText shows it, and set apart (isolatedText) so that it cannot reorder the text around it.
StyledText userText(const std::string& utf8);

// One of the program's own texts (a label, a standard's formula, never a user's) with its
// subscripts marked by an underscore: "U_L", "I_Δn", "Z_S ≤ U_0 / I_a". The run goes on
// while Latin or Greek letters and digits follow; an underscore that none follows stays.
StyledText markedText(const std::string& utf8);

// The text as rich text for a widget's label: escaped, its lower runs in <sub>, its higher in
// <sup>.
QString styledHtml(const StyledText& styled);

// Appends `more`, its runs moved along: "label: value" from a marked label and a user's value.
void append(StyledText& to, const StyledText& more);

}  // namespace kadenza
