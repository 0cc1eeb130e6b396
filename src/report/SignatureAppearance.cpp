#include "report/SignatureAppearance.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "report/ReportFonts.h"
#include "report/ReportStyle.h"

namespace kadenza {

namespace {

constexpr TextStyle signerStyle{9, true};
constexpr TextStyle noteStyle{7, false, false, quietGrey};
constexpr qreal pointsPerInch = 72;
constexpr qreal padding = millimetres(1.5);

const TextStyle& styleOfLine(int line, int count) {
    return line > 0 && line + 1 < count ? signerStyle : noteStyle;
}

}  // namespace

QByteArray signatureAppearancePdf(const QSizeF& size, const QStringList& lines) {
    loadReportFonts();
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    writer.setResolution(reportResolution);
    writer.setPageSize(QPageSize(size, QPageSize::Point, QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    const QRectF box(QPointF(0, 0), size * reportResolution / pointsPerInch);
    painter.setPen(QPen(QColor(ruleGrey), ruleWidth));
    painter.drawRect(box.adjusted(ruleWidth, ruleWidth, -ruleWidth, -ruleWidth));
    qreal top = padding;
    for (int line = 0; line < lines.size(); ++line) {
        const TextStyle& style = styleOfLine(line, static_cast<int>(lines.size()));
        painter.setFont(styleFont(style));
        painter.setPen(QColor(style.colour));
        const QRectF room(padding, top, box.width() - 2 * padding, box.height() - top);
        QRectF used;
        painter.drawText(room, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, lines[line],
                         &used);
        top += used.height();
    }
    painter.end();
    return pdf;
}

}  // namespace kadenza
