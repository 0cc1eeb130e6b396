#include "inspection/ScriptText.h"

#include "model/QuantityTable.h"

namespace kadenza {

std::string plainScriptText(const std::string& row) {
    std::string text;
    for (std::size_t i = 0; i < row.size(); ++i) {
        const auto byte = static_cast<unsigned char>(row[i]);
        if (row[i] == styleEscape) {
            if (++i == row.size()) {
                break;
            }
            if (row[i] == subscriptStyle) {
                text += '_';
            } else if (row[i] != normalStyle) {
                text += '^';
            }
        } else {
            text += byte < 0x20 || byte == 0x7F ? ' ' : row[i];
        }
    }
    return text;
}

}  // namespace kadenza
