#pragma once

#include "report/PageComposer.h"
#include "report/ReportContent.h"

namespace kadenza {

// The end of the report: the inspection's remarks, the standards the limits come from, and
// the line the inspector signs, with the name and the date.
void addClosingSection(PageComposer& pages, const ReportContent& content);

}  // namespace kadenza
