#pragma once

#include "report/PageComposer.h"
#include "report/ReportContent.h"

namespace kadenza {

// The defects found, numbered throughout, each with the provision it breaks, its class and
// the date by which it is to be repaired; or that none were found.
void addDefectSection(PageComposer& pages, const ReportContent& content);

}  // namespace kadenza
