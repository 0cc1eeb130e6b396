#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <memory>
#include <string>

#include "app/PrintTarget.h"

// Printing into a PDF file and reading back what was printed, through poppler's tools.

namespace kadenza::test {

// Printable height of the page of pdfTarget, in millimetres.
constexpr int printableHeightMm = 287;

// A printer that writes the PDF file `path`: A4 upright with 5 mm margins at the top and
// the bottom, so the printable area is 287 mm high.
inline PrintTarget pdfTarget(const std::string& path, const QString& name) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(path));
    printer->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(10, 5, 10, 5), QPageLayout::Millimeter));
    return {std::move(printer), name};
}

// The number of pages of the PDF file, counted from its page objects.
inline int pageCount(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    static const QRegularExpression pageObject(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    const QString bytes = QString::fromLatin1(file.readAll());
    return static_cast<int>(bytes.count(pageObject));
}

// Runs one of poppler's tools and gives what it wrote; empty when it could not run.
inline QByteArray popplerTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0) {
        qWarning("%s did not run: is poppler-utils installed (scripts/install-deps)?",
                 qPrintable(tool));
        return {};
    }
    return process.readAllStandardOutput();
}

// The text lines of the PDF file as a reader sees them, empty lines left out.
inline QStringList printedLines(const std::string& path) {
    const QByteArray text =
        popplerTool(QStringLiteral("pdftotext"),
                    {QStringLiteral("-layout"), QString::fromStdString(path), QStringLiteral("-")});
    QStringList lines;
    for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
        if (!line.trimmed().isEmpty()) {
            lines << line.trimmed();
        }
    }
    return lines;
}

// Page `page` of the PDF file rendered at 254 dots per inch: one pixel per tenth of a
// millimetre. `pngPrefix` names the file made for it, without ".png".
inline QImage pageImage(const std::string& path, int page, const std::string& pngPrefix) {
    const QString number = QString::number(page);
    popplerTool(
        QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-f"), number,
         QStringLiteral("-l"), number, QStringLiteral("-png"), QStringLiteral("-singlefile"),
         QString::fromStdString(path), QString::fromStdString(pngPrefix)});
    return QImage(QString::fromStdString(pngPrefix + ".png"));
}

}  // namespace kadenza::test
