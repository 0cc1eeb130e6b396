#include "report/ClosingSection.h"

#include "language/Language.h"
#include "report/ReportTexts.h"
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

StyledText labelled(int row, const std::string& value) {
    StyledText text = markedText(std::string(RowText(row)) + ": ");
    append(text, userText(value));
    return text;
}

// The signature never opens a page alone: what comes before it goes along.
void addSignature(PageComposer& pages, const InspectionDetails& inspection) {
    pages.add(std::make_unique<SignatureBlock>(labelled(inspectorRow, inspection.inspector),
                                               labelled(dateRow, dateText(inspection.date)),
                                               plainText(RowText(signatureRow)), pages.width(),
                                               pages.device()),
              signatureSpace, 0, true);
}

}  // namespace

void addClosingSection(PageComposer& pages, const ReportContent& content) {
    if (!content.inspection.remarks.empty()) {
        addHeading(pages, remarksRow);
        pages.addText(userText(content.inspection.remarks), bodyStyle, paragraphSpace);
    }
    if (!content.sources.empty()) {
        addHeading(pages, sourcesRow);
        for (const std::string& source : content.sources) {
            pages.addText(markedText("\u2022  " + source), bodyStyle, lineSpace);
        }
    }
    addSignature(pages, content.inspection);
}

}  // namespace kadenza
