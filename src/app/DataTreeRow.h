#pragma once

#include <string>

#include "model/InstrumentAbstract.h"

namespace kadenza {

// What one row of the data tree draws: the node's display text with its style codes, and
// the weight and colour of its type.
struct DataTreeRow {
    std::u16string text;
    bool bold;
    bool red;
};

// At most this many characters of a row are drawn.
constexpr std::size_t drawnRowCharacters = 100;

// The row of a bank or item: its text for the column mask, followed by the node text (its
// address number) when that is shown. Primary items are bold, over-range items red; banks
// are neither.
DataTreeRow dataTreeRow(const InstrumentAbstract& object, const std::string& nodeText,
                        int columnMask, bool showAddressNumber);

// A row's text as a screen reader says it and type-to-find matches it: what is drawn, without
// the style codes, a tab read as a blank, up to the end of the row.
std::u16string spokenText(const std::u16string& drawn);

}  // namespace kadenza
