#include "report/ClosingSection.h"

#include "language/Language.h"
#include "report/SignatureBlock.h"

namespace kadenza {

namespace {

constexpr int remarksRow = 292;
constexpr int sourcesRow = 313;
constexpr int inspectorRow = 283;
constexpr int dateRow = 285;
constexpr int signatureRow = 312;

constexpr qreal headingSpace = millimetres(8);
constexpr qreal headingReserve = millimetres(15);
constexpr qreal paragraphSpace = millimetres(2);
constexpr qreal lineSpace = millimetres(1);
constexpr qreal signatureSpace = millimetres(4);

void addHeading(PageComposer& pages, int row) {
    pages.addText(plainText(RowText(row)), headingStyle, headingSpace, headingReserve);
}

std::string labelled(int row, const std::string& value) {
    return std::string(RowText(row)) + ": " + value;
}

void addSignature(PageComposer& pages, const InspectionDetails& inspection) {
    pages.add(std::make_unique<SignatureBlock>(
                  plainText(labelled(inspectorRow, inspection.inspector)),
                  plainText(labelled(dateRow, inspection.date)), plainText(RowText(signatureRow)),
                  pages.width(), pages.device()),
              signatureSpace);
}

}  // namespace

void addClosingSection(PageComposer& pages, const ReportContent& content) {
    if (!content.inspection.remarks.empty()) {
        addHeading(pages, remarksRow);
        pages.addText(plainText(content.inspection.remarks), bodyStyle, paragraphSpace);
    }
    if (!content.sources.empty()) {
        addHeading(pages, sourcesRow);
        for (const std::string& source : content.sources) {
            pages.addText(plainText("\u2022  " + source), bodyStyle, lineSpace);
        }
    }
    addSignature(pages, content.inspection);
}

}  // namespace kadenza
