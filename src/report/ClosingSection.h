#pragma once

#include "report/PageComposer.h"
#include "report/ReportContent.h"
#include "report/SignatureBlock.h"

namespace kadenza {

// The end of the report: the conclusion in the regulation's words with its reasons, the next
// revision, the remarks, the standards the limits come from, the distribution list and the
// line on which the operator confirms receipt, and last the line the inspector signs with the
// name, the licence number and the date. Gives the block of that signature, to find where it
// went.
const SignatureBlock* addClosingSection(PageComposer& pages, const ReportContent& content);

}  // namespace kadenza
