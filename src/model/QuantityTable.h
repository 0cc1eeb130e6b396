#pragma once

#include <array>

namespace kadenza {

// Style codes inside display texts: ESC followed by one of these switches the style of the
// characters that follow.
constexpr char styleEscape = 27;
constexpr char normalStyle = 1;
constexpr char subscriptStyle = 2;
constexpr char superscriptStyle = 3;

// One row of the quantity table: symbol and unit as display texts with style codes, and
// whether the value is shown with an engineering prefix.
struct Quantity {
    const char* symbol;
    const char* unit;
    bool scaled;
};

constexpr int quantityCount = 34;
extern const std::array<Quantity, quantityCount> quantityTable;

// Quantity codes that carry a bank's own number in the bank's first item.
constexpr int bankNumberQuantity = 0;
constexpr int instrumentNumberQuantity = 30;

// The row for `code`; a code outside the table (a file can hold any) gets a visible
// placeholder symbol, no unit and no scaling.
const Quantity& quantityFor(int code);

}  // namespace kadenza
