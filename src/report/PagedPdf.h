#pragma once

#include <QString>
#include <vector>

#include "report/PageComposer.h"

class QPdfWriter;

namespace kadenza {

// What every page shows around the report's body.
struct PageDecoration {
    // The line above the body of every page after the first.
    QString runningHead;
    // The program's name and version, on the left of every page's footer.
    QString program;
    // The page number on the right of the footer: %1 the page, %2 the number of pages.
    QString pageNumber;
    // A draft's mark, large across every page under the body; empty for a report that is whole.
    QString draftMark;
};

// Sets the writer up for the report: A4 upright at the report's resolution, the whole sheet
// to draw on (the margins are the report's own).
void setUpReportPages(QPdfWriter& writer);

// The body of a page of the writer: the sheet less the margins.
QSizeF bodySize(const QPdfWriter& writer);

// Draws the composed pages into the writer with the decoration around every body.
void paintPages(QPdfWriter& writer, const std::vector<ComposedPage>& pages,
                const PageDecoration& decoration);

// A rectangle of a page's body in the report's coordinates, in PDF points from the sheet's top
// left corner.
QRectF sheetPoints(const QRectF& inBody);

}  // namespace kadenza
