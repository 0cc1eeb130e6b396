#pragma once

#include "report/PageComposer.h"
#include "report/ReportContent.h"

namespace kadenza {

// The measured values from a new page on: every bank a table whose head holds the bank's
// title, label and details and the column names, repeated on every page the table goes on on,
// then a row for every measured item with its value, note, limit and verdict.
void addBankSections(PageComposer& pages, const ReportContent& content);

}  // namespace kadenza
