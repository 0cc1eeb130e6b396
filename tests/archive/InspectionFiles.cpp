#include "InspectionFiles.h"

#include "inspection/DetailsDocument.h"
#include "inspection/InspectionFile.h"
#include "support/SampleData.h"
#include "support/TempDir.h"

namespace kadenza::test {

namespace {

std::string savedBytes(const InstrumentData& data, const std::vector<std::string>& details) {
    DetailsDocument document;
    for (const std::string& assignment : details) {
        const std::size_t equals = assignment.find('=');
        document.set(assignment.substr(0, equals), assignment.substr(equals + 1));
    }
    const TempDir dir;
    saveInspectionFile(dir.path("file.tso"), data, document);
    return readFile(dir.path("file.tso"));
}

}  // namespace

std::string inspectionFile(const std::vector<std::string>& details,
                           const std::vector<double>& loopImpedances, double insulation,
                           bool insulationOver) {
    DataBuilder builder;
    builder.bank(1);
    for (const double impedance : loopImpedances) {
        builder.item(loopImpedanceCode, impedance, true);
    }
    builder.item(insulationCode, insulation, true, insulationOver);
    builder.bank(2).item(loopImpedanceCode, 0.7, true);
    return savedBytes(*builder.build(), details);
}

std::vector<std::string> judgedCircuit(const std::string& site, const std::string& date) {
    return {"inspection.site=" + site, "inspection.date=" + date, "bank.1.label=kitchen",
            "bank.1.device=B16", "bank.1.earthing=TN"};
}

std::string largeInspectionFile(const std::string& site, int items) {
    DataBuilder builder;
    for (int item = 0; item < items; ++item) {
        if (item % 100 == 0) {
            builder.bank(item / 100 + 1);
        }
        builder.item(loopImpedanceCode, 0.001 * item, true);
    }
    return savedBytes(*builder.build(), {"inspection.site=" + site});
}

}  // namespace kadenza::test
