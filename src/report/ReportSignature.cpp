#include "report/ReportSignature.h"

#include "language/Language.h"

namespace kadenza {

namespace {

constexpr int titleRow = 386;

}  // namespace

SignatureRequest reportSignature(const RevisionReport& report,
                                 const InspectionDetails& inspection) {
    SignatureRequest request;
    request.page = report.signaturePage;
    request.rectangle = report.signatureArea;
    request.reason = RowText(titleRow);
    if (!inspection.number.empty()) {
        request.reason += " " + inspection.number;
    }
    request.location = inspection.site;
    request.signer = inspection.inspector;
    return request;
}

}  // namespace kadenza
