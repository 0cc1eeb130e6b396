#pragma once

#include "report/PageComposer.h"
#include "report/ReportContent.h"

namespace kadenza {

// What the measurements add up to, from a new page: the profile they were judged by with its standards and
// settings, the overall verdict with the details it lacks, the counts and a line for every
// bank.
void addSummarySection(PageComposer& pages, const ReportContent& content);

}  // namespace kadenza
