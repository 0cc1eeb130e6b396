#pragma once

#include "report/PdfFile.h"
#include "report/PdfUpdate.h"

namespace kadenza {

// Adds the first page of `source` to the update as a form XObject, its content and every
// object its resources reach (fonts, colour spaces) copied under new numbers, its bounding box
// the page's. Returns the form's number. The page's content must be one stream.
int addPageAsForm(PdfUpdate& update, const PdfFile& source);

}  // namespace kadenza
