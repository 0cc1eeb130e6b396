// A .tso file of any content, its "insp" section above all, is opened with its details; the
// details are judged, exported as CSV and JSON, printed, changed and read back.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>

#include "inspection/CsvExport.h"
#include "inspection/InspectionFile.h"
#include "inspection/JsonExport.h"
#include "model/NativeFile.h"

namespace {

void renderDetails(const kadenza::InstrumentData& data, const kadenza::DetailsDocument& details) {
    const kadenza::Evaluation evaluation = kadenza::evaluate(data, details);
    std::ostringstream out;
    kadenza::writeEvaluationJson(out, evaluation);
    kadenza::writeContainerJson(out, data, details);
    out << kadenza::csvText(evaluation) << details.toJson(true);
    for (const int number : details.bankNumbers()) {
        kadenza::judge(*data.bank(0)->item(0), evaluation.profile, details.inspection(),
                       details.bank(number));
    }
}

// A change as a user makes it, and the document read back as a file holds it.
void changeDetails(kadenza::DetailsDocument details) {
    try {
        details.set("bank.1.label", "Kuchyně");
        details.set("inspection.remarks", "");
        details.checkConsistent();
    } catch (const std::invalid_argument&) {
    }
    kadenza::DetailsDocument::fromJson(details.toJson());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(bytes), size);
    kadenza::InstrumentData data;
    if (!kadenza::openNativeBytes(file, data)) {
        return 0;
    }
    kadenza::DetailsDocument details;
    try {
        details = kadenza::detailsOfFile(file);
    } catch (const std::runtime_error&) {
        return 0;
    }
    if (data.count() > 0 && data.bank(0)->count() > 0) {
        renderDetails(data, details);
    }
    changeDetails(details);
    return 0;
}
