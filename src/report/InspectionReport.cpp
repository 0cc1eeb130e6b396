#include "report/InspectionReport.h"

#include <QBuffer>
#include <QPdfWriter>
#include <QStringList>

#include "language/Language.h"
#include "model/NumberText.h"
#include "model/TextFile.h"
#include "report/BankSection.h"
#include "report/ClosingSection.h"
#include "report/FrontPage.h"
#include "report/IsolatedText.h"
#include "report/PagedPdf.h"
#include "report/ReportContent.h"
#include "report/ReportTexts.h"

namespace kadenza {

namespace {

constexpr int titleRow = 305;
constexpr int pageNumberRow = 310;

// "Inspection report · client · site · date", without the details nobody gave; each detail
// kept from reordering the others.
QString runningHead(const InspectionDetails& inspection) {
    QStringList pieces{QString::fromUtf8(RowText(titleRow))};
    for (const std::string& detail :
         {inspection.client, inspection.site, dateText(inspection.date)}) {
        if (!detail.empty()) {
            pieces << isolatedText(QString::fromStdString(detail).simplified());
        }
    }
    return pieces.join(QStringLiteral(" \u00B7 "));
}

QString programName() {
    return QStringLiteral("Kadenza ") + QString::fromUtf8(programVersion());
}

}  // namespace

QByteArray inspectionReportPdf(const InstrumentData& data, const DetailsDocument& details) {
    // Numbers follow the report's language, not the locale the program runs under.
    const DecimalSeparatorOverride separator(TextTable::language() == czechLanguage ? "," : ".");
    const ReportContent content = reportContent(data, details);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUpReportPages(writer);
    writer.setTitle(QString::fromUtf8(RowText(titleRow)));
    writer.setCreator(programName());

    PageComposer pages(bodySize(writer), &writer);
    addFrontPage(pages, content);
    addBankSections(pages, content);
    addClosingSection(pages, content);
    paintPages(writer, pages.pages(),
               {runningHead(content.inspection), programName(),
                QString::fromUtf8(RowText(pageNumberRow))});
    return bytes;
}

bool writeInspectionReport(const std::string& path, const InstrumentData& data,
                           const DetailsDocument& details) {
    return writeBytesFile(path, inspectionReportPdf(data, details).toStdString());
}

}  // namespace kadenza
