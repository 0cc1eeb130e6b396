#include "report/DetailList.h"

#include "language/Language.h"

namespace kadenza {

std::vector<TableRow> detailRows(const std::vector<DetailLine>& lines) {
    std::vector<TableRow> rows;
    for (const DetailLine& line : lines) {
        if (!line.value.empty()) {
            rows.push_back({{{plainText(RowText(line.labelRow)), labelStyle},
                             {plainText(line.value), bodyStyle}},
                            {}});
        }
    }
    return rows;
}

std::string detailRun(const std::vector<DetailLine>& lines) {
    std::string run;
    for (const DetailLine& line : lines) {
        if (!line.value.empty()) {
            run += (run.empty() ? "" : "  \u00B7  ") + std::string(RowText(line.labelRow)) + ": " +
                   line.value;
        }
    }
    return run;
}

}  // namespace kadenza
