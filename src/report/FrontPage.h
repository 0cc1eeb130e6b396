#pragma once

#include "report/PageComposer.h"
#include "report/ReportContent.h"

namespace kadenza {

// The report's first page: the title and the report's number; what a draft lacks; who runs
// the installation, what was revised and how far, the kind of revision and its dates, the
// technician with the licence, and the measuring instruments with their calibration.
void addFrontPage(PageComposer& pages, const ReportContent& content);

}  // namespace kadenza
