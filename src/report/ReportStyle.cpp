#include "report/ReportStyle.h"

#include "report/ReportFonts.h"

namespace kadenza {

QFont styleFont(const TextStyle& style) {
    QFont font = reportFont(style.bold, style.italic);
    font.setPointSizeF(style.pointSize);
    return font;
}

}  // namespace kadenza
