#pragma once

#include "inspection/Details.h"
#include "report/InspectionReport.h"
#include "report/PdfSigning.h"

namespace kadenza {

// The signature a revision's report takes: on the line the report left for it, by the
// inspector the details name, with the report's title and number as its reason and the site as its
// location, in the current language. The certificate, its database and the password are left
// for the signer to give.
SignatureRequest reportSignature(const RevisionReport& report, const InspectionDetails& inspection);

}  // namespace kadenza
