#include "inspection/Conclusion.h"

#include "inspection/Evaluation.h"
#include "language/Language.h"

namespace kadenza {

const DefectDetails* dangerDefectOf(const std::vector<DefectDetails>& defects) {
    for (const DefectDetails& defect : defects) {
        if (defect.defectClass == dangerDefect) {
            return &defect;
        }
    }
    return nullptr;
}

namespace {

constexpr int dangerRow = 449;
constexpr int failedRow = 450;

// The row's text with the number in place of its "%1".
std::string withNumber(int row, int number) {
    std::string text = RowText(row);
    text.replace(text.find("%1"), 2, std::to_string(number));
    return text;
}

}  // namespace

std::string reasonAgainstSafe(const InstrumentData& data, const DetailsDocument& details) {
    const std::vector<DefectDetails> defects = details.defects();
    if (const DefectDetails* danger = dangerDefectOf(defects)) {
        return withNumber(dangerRow, danger->number);
    }
    if (details.inspection().kind != "initial") {
        return {};
    }
    const int failed = evaluate(data, details).counts.fail;
    return failed > 0 ? withNumber(failedRow, failed) : std::string();
}

}  // namespace kadenza
