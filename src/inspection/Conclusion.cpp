#include "inspection/Conclusion.h"

#include "inspection/Evaluation.h"
#include "language/FilledText.h"
#include "language/Language.h"

namespace kadenza {

namespace {

struct ClassAgainstSafe {
    const char* defectClass;
    int reasonRow;
    const char* refusal;
};

constexpr ClassAgainstSafe classesAgainstSafe[] = {
    {dangerDefect, 449, "endangers safety"},
    {potentialDefect, 530, "is potentially dangerous"},
    {investigateDefect, 531, "needs further investigation"},
};

constexpr int failedRow = 450;

const ClassAgainstSafe* againstSafe(const std::string& defectClass) {
    for (const ClassAgainstSafe& entry : classesAgainstSafe) {
        if (defectClass == entry.defectClass) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace

const DefectDetails* defectAgainstSafe(const std::vector<DefectDetails>& defects) {
    for (const DefectDetails& defect : defects) {
        if (againstSafe(defect.defectClass) != nullptr) {
            return &defect;
        }
    }
    return nullptr;
}

std::string classAgainstSafe(const std::string& defectClass) {
    const ClassAgainstSafe* entry = againstSafe(defectClass);
    return entry ? entry->refusal : "";
}

std::string reasonAgainstSafe(const InstrumentData& data, const DetailsDocument& details) {
    const std::vector<DefectDetails> defects = details.defects();
    if (const DefectDetails* defect = defectAgainstSafe(defects)) {
        const int place = static_cast<int>(defect - defects.data()) + 1;
        return filledText(RowText(againstSafe(defect->defectClass)->reasonRow),
                          {std::to_string(place)});
    }
    if (details.inspection().kind != "initial") {
        return {};
    }
    const int failed = evaluate(data, details).counts.fail;
    return failed > 0 ? filledText(RowText(failedRow), {std::to_string(failed)}) : std::string();
}

}  // namespace kadenza
