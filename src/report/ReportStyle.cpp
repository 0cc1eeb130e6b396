#include "report/ReportStyle.h"

#include <QStringList>

namespace kadenza {

QFont styleFont(const TextStyle& style) {
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(style.pointSize);
    font.setBold(style.bold);
    font.setItalic(style.italic);
    return font;
}

}  // namespace kadenza
