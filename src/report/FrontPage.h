#pragma once

#include "report/PageComposer.h"
#include "report/ReportContent.h"

namespace kadenza {

// The report's first page: the title; who inspected what, when and with which instrument; the
// profile with its standards and settings; the overall verdict, the counts and a line for
// every bank.
void addFrontPage(PageComposer& pages, const ReportContent& content);

}  // namespace kadenza
