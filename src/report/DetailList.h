#pragma once

#include <string>
#include <vector>

#include "report/StyledText.h"
#include "report/TableBlock.h"

namespace kadenza {

// One detail of the inspection or of a bank: the language row of its label and its value,
// empty when nobody gave it.
struct DetailLine {
    int labelRow;
    std::string value;
};

// The details that have a value, as rows of a table: the label, then the value.
std::vector<TableRow> detailRows(const std::vector<DetailLine>& lines);

// The details that have a value in one text: "Label: value · Label: value".
StyledText detailRun(const std::vector<DetailLine>& lines);

// A text cut to `length` characters with an ellipsis where it was longer.
std::string shortened(const std::string& text, std::size_t length);

}  // namespace kadenza
