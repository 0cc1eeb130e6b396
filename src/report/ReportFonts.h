#pragma once

#include <QFont>
#include <QList>
#include <QString>
#include <QTextLayout>

namespace kadenza {

// The report is set in Liberation Sans, with DejaVu Sans for the signs that Liberation Sans lacks
// (✓ ✗ and a few more), and in no other font: the same data make the same pages on any machine,
// whatever other fonts it holds.

// The file of Liberation Sans's regular style.
constexpr char regularFaceFile[] =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";

// Registers both faces from the files of their Debian packages (fonts-liberation2,
// fonts-dejavu-core), once, so that no other font of the same name stands in for them. Where
// the files are not there, the faces are taken by their names. Needs a QGuiApplication.
void loadReportFonts();

// The report's font in a style of Liberation Sans, falling back to no other font for what it
// lacks.
QFont reportFont(bool bold, bool italic);

// The runs of the text that the report's font lacks and DejaVu Sans has, to be set in DejaVu Sans
// of the same style; a character neither face has stays in the font and shows as its box.
QList<QTextLayout::FormatRange> signRuns(const QString& text, const QFont& font);

}  // namespace kadenza
