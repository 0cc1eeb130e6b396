#pragma once

#include <QColor>
#include <QString>
#include <string>

class QPainter;
class QRect;

namespace kadenza {

// Draws one row of display text into `rect`, character by character, understanding the
// codes the data model writes: 0 or CR ends the text; TAB moves the pen to `tabPosition`
// pixels from the left edge; ESC 1 returns to normal type, ESC 2 starts subscript (small type
// drawn lower by 30 % of the row), any other ESC code starts superscript (small type from
// the top). Normal type is as high as the row, small type 70 % of it. A red row is drawn in
// red italics (pure red, or a tint of it that stands out on `background`), otherwise in the
// painter's pen. Gives the x where the text ends, for what is drawn after it.
int DrawRichText(QPainter& painter, const QString& face, const QRect& rect,
                 const std::u16string& text, int tabPosition, bool bold, bool red,
                 const QColor& background = Qt::white);

}  // namespace kadenza
