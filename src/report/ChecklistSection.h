#pragma once

#include "report/PageComposer.h"
#include "report/ReportContent.h"

namespace kadenza {

// The actions the revision consisted of, then the visual inspection and the functional tests
// with each item's result; nothing of a checklist nobody filled in.
void addChecklistSection(PageComposer& pages, const ReportContent& content);

}  // namespace kadenza
