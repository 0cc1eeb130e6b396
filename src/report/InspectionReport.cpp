#include "report/InspectionReport.h"

#include <QBuffer>
#include <QDateTime>
#include <QPdfWriter>
#include <QStringList>

#include "language/Language.h"
#include "model/NumberText.h"
#include "model/TextFile.h"
#include "report/BankSection.h"
#include "report/ChecklistSection.h"
#include "report/ClosingSection.h"
#include "report/DefectSection.h"
#include "report/FrontPage.h"
#include "report/IsolatedText.h"
#include "report/PagedPdf.h"
#include "report/PdfMetadata.h"
#include "report/ReportContent.h"
#include "report/ReportFonts.h"
#include "report/ReportTexts.h"
#include "report/SummarySection.h"

namespace kadenza {

namespace {

constexpr int titleRow = 386;
constexpr int pageNumberRow = 310;
constexpr int draftRow = 422;

// "Inspection report · number · site · date", without the details nobody gave; each detail
// kept from reordering the others.
QString runningHead(const InspectionDetails& inspection) {
    QStringList pieces{QString::fromUtf8(RowText(titleRow))};
    for (const std::string& detail :
         {inspection.number, inspection.site, dateText(inspection.date)}) {
        if (!detail.empty()) {
            pieces << isolatedText(QString::fromStdString(detail).simplified());
        }
    }
    return pieces.join(QStringLiteral(" \u00B7 "));
}

QString programName() {
    return QStringLiteral("Kadenza ") + QString::fromUtf8(programVersion());
}

// The title with the report's number, the inspector as the author and what was revised as
// the subject.
DocumentMetadata metadataOf(const InspectionDetails& inspection) {
    QString title = QString::fromUtf8(RowText(titleRow));
    if (!inspection.number.empty()) {
        title += QStringLiteral(" ") + QString::fromStdString(inspection.number);
    }
    QStringList subject;
    for (const std::string* part :
         {&inspection.operatorName, &inspection.site, &inspection.object}) {
        if (!part->empty()) {
            subject << QString::fromStdString(*part).simplified();
        }
    }
    return {title, QString::fromStdString(inspection.inspector).simplified(),
            subject.join(QStringLiteral(", ")), programName()};
}

// Lays the report out: the revision's first page, the measurements' summary, the checklist,
// the measured values, the defects and the end with the signature.
const SignatureBlock* composeReport(PageComposer& pages, const ReportContent& content) {
    addFrontPage(pages, content);
    addSummarySection(pages, content);
    addChecklistSection(pages, content);
    addBankSections(pages, content);
    addDefectSection(pages, content);
    return addClosingSection(pages, content);
}

// Where the signature block went: its page and its signing area in PDF points.
void placeSignature(const std::vector<ComposedPage>& pages, const SignatureBlock* signature,
                    RevisionReport& report) {
    for (std::size_t page = 0; page < pages.size(); ++page) {
        for (const Placement& placement : pages[page]) {
            if (placement.block == signature) {
                report.signaturePage = static_cast<int>(page);
                report.signatureArea = sheetPoints(signature->signingArea(placement.topLeft));
            }
        }
    }
}

}  // namespace

RevisionReport revisionReport(const InstrumentData& data, const DetailsDocument& details) {
    loadReportFonts();
    // Numbers follow the report's language, not the locale the program runs under.
    const DecimalSeparatorOverride separator(TextTable::language() == czechLanguage ? "," : ".");
    const ReportContent content = reportContent(data, details);
    RevisionReport report;
    report.missing = content.missing;
    QBuffer buffer(&report.pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    setUpReportPages(writer);
    writer.setPdfVersion(QPagedPaintDevice::PdfVersion_A1b);
    const DocumentMetadata metadata = metadataOf(content.inspection);
    writer.setTitle(metadata.title);
    writer.setCreator(metadata.creator);

    PageComposer pages(bodySize(writer), &writer);
    placeSignature(pages.pages(), composeReport(pages, content), report);
    // The packet's time is the writer's, which stamps the document as painting begins.
    writer.setDocumentXmpMetadata(pdfaXmp(metadata, QDateTime::currentDateTime()));
    paintPages(
        writer, pages.pages(),
        {runningHead(content.inspection), programName(), QString::fromUtf8(RowText(pageNumberRow)),
         content.missing.empty() ? QString() : QString::fromUtf8(RowText(draftRow))});
    buffer.close();
    report.pdf = withAuthorAndSubject(report.pdf, metadata);
    return report;
}

QByteArray inspectionReportPdf(const InstrumentData& data, const DetailsDocument& details) {
    return revisionReport(data, details).pdf;
}

bool writeInspectionReport(const std::string& path, const InstrumentData& data,
                           const DetailsDocument& details) {
    return writeBytesFile(path, inspectionReportPdf(data, details).toStdString());
}

}  // namespace kadenza
