#include "app/DrawRichText.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <algorithm>

#include "app/ReadableColour.h"

namespace kadenza {

namespace {

constexpr char16_t endOfText = 0;
constexpr char16_t carriageReturn = 13;
constexpr char16_t tabulator = 9;
constexpr char16_t escape = 27;
constexpr char16_t normalType = 1;
constexpr char16_t subscriptType = 2;

constexpr int smallTypePercent = 70;
constexpr int subscriptDropPercent = 30;

// The row height is the height of the character cell (ascent plus descent), as a font mapper
// takes a positive height; Qt's pixel size is the em, so shrink it until the cell fits and
// the type stays inside the row.
QFont rowFont(const QString& face, int cellHeight, bool bold, bool red, QPaintDevice* device) {
    QFont font(face);
    font.setPixelSize(std::max(1, cellHeight));
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(red);
    const int cell = QFontMetrics(font, device).height();
    if (cell > cellHeight) {
        font.setPixelSize(std::max(1, cellHeight * cellHeight / cell));
    }
    return font;
}

// One type face of the row with the metrics of the device it is drawn on.
struct Type {
    QFont font;
    QFontMetrics metrics;

    Type(const QFont& f, QPaintDevice* device) : font(f), metrics(f, device) {}
};

}  // namespace

int DrawRichText(QPainter& painter, const QString& face, const QRect& rect,
                 const std::u16string& text, int tabPosition, bool bold, bool red,
                 const QColor& background) {
    const int height = rect.height();
    QPaintDevice* device = painter.device();
    const Type normal(rowFont(face, height, bold, red, device), device);
    const Type small(rowFont(face, height * smallTypePercent / 100, bold, red, device), device);

    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    if (red) {
        painter.setPen(readableRedText(background));
    }
    int x = 0;
    char16_t style = normalType;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit == endOfText || unit == carriageReturn) {
            break;
        }
        if (unit == tabulator) {
            x = tabPosition;
            continue;
        }
        if (unit == escape) {
            // A style code cut off by the end of the text ends the row.
            if (++i == text.size()) {
                break;
            }
            style = text[i];
            continue;
        }
        const Type& type = style == normalType ? normal : small;
        const int drop = style == subscriptType ? height * subscriptDropPercent / 100 : 0;
        const QChar character(unit);
        painter.setFont(type.font);
        painter.drawText(QPoint(rect.left() + x, rect.top() + drop + type.metrics.ascent()),
                         QString(character));
        x += type.metrics.horizontalAdvance(character);
    }
    painter.restore();
    return rect.left() + x;
}

}  // namespace kadenza
