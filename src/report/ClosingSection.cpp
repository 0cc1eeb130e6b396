#include "report/ClosingSection.h"

#include <algorithm>

#include "inspection/BlankText.h"
#include "language/Language.h"
#include "report/ReportTexts.h"
#include "report/SignatureBlock.h"

namespace kadenza {

namespace {

constexpr int conclusionRow = 414;
constexpr int reasonsRow = 427;
constexpr int nextRevisionRow = 415;
constexpr int remarksRow = 292;
constexpr int sourcesRow = 313;
constexpr int distributionRow = 419;
constexpr int copiesRow = 420;
constexpr int receivedRow = 421;
constexpr int inspectorRow = 283;
constexpr int licenceRow = 284;
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

// The conclusion is stated only where it may stand; a draft says what it lacks instead.
void addConclusion(PageComposer& pages, const ReportContent& content) {
    addHeading(pages, conclusionRow);
    const InspectionDetails& inspection = content.inspection;
    if (content.conclusionStands) {
        const bool safe = inspection.conclusion == safeConclusion;
        pages.addText(plainText(conclusionSentence(inspection.conclusion)),
                      safe ? verdictStyle : failedVerdictStyle, paragraphSpace);
    }
    if (!inspection.conclusionText.empty()) {
        pages.addText(labelled(reasonsRow, inspection.conclusionText), bodyStyle, paragraphSpace);
    }
    if (content.nextRevision) {
        pages.addText(plainText(std::string(RowText(nextRevisionRow)) + ": " +
                                nextRevisionText(*content.nextRevision)),
                      bodyStyle, paragraphSpace);
    }
}

void addSources(PageComposer& pages, const ReportContent& content) {
    if (content.sources.empty()) {
        return;
    }
    addHeading(pages, sourcesRow);
    for (const std::string& source : content.sources) {
        pages.addText(markedText("\u2022  " + source), bodyStyle, lineSpace);
    }
}

// The recipients the details list, one a line, without the blank lines between them.
std::vector<std::string> recipients(const std::string& distribution) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= distribution.size()) {
        const std::size_t end = std::min(distribution.find('\n', start), distribution.size());
        const std::string line = distribution.substr(start, end - start);
        if (!isBlank(line)) {
            lines.push_back(line);
        }
        start = end + 1;
    }
    return lines;
}

// Who gets a copy, and the operator's confirmation that the report reached them.
void addHandover(PageComposer& pages, const InspectionDetails& inspection) {
    const std::string label = RowText(distributionRow);
    if (inspection.distribution.empty()) {
        pages.addText(plainText(label + ": " + RowText(copiesRow)), bodyStyle, headingSpace);
    } else {
        StyledText list = plainText(label + ":");
        for (const std::string& recipient : recipients(inspection.distribution)) {
            append(list, plainText("\n"));
            append(list, userText(recipient));
        }
        pages.addText(list, bodyStyle, headingSpace);
    }
    pages.add(std::make_unique<SignatureBlock>(
                  plainText(RowText(receivedRow)), labelled(dateRow, ""),
                  plainText(RowText(signatureRow)), pages.width(), pages.device()),
              signatureSpace);
}

// The technician signs last, with the licence; the signature never opens a page alone.
const SignatureBlock* addSignature(PageComposer& pages, const InspectionDetails& inspection) {
    StyledText who = labelled(inspectorRow, inspection.inspector);
    if (!inspection.licence.empty()) {
        append(who, plainText("\n"));
        append(who, labelled(licenceRow, inspection.licence));
    }
    const std::string& date =
        inspection.reportDate.empty() ? inspection.date : inspection.reportDate;
    auto block = std::make_unique<SignatureBlock>(who, labelled(dateRow, dateText(date)),
                                                  plainText(RowText(signatureRow)), pages.width(),
                                                  pages.device());
    const SignatureBlock* signature = block.get();
    pages.add(std::move(block), signatureSpace, 0, true);
    return signature;
}

}  // namespace

const SignatureBlock* addClosingSection(PageComposer& pages, const ReportContent& content) {
    addConclusion(pages, content);
    if (!content.inspection.remarks.empty()) {
        addHeading(pages, remarksRow);
        pages.addText(userText(content.inspection.remarks), bodyStyle, paragraphSpace);
    }
    addSources(pages, content);
    addHandover(pages, content.inspection);
    return addSignature(pages, content.inspection);
}

}  // namespace kadenza
