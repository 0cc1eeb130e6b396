// The report of a .tso file of any content: its data and its details laid out and painted.
#include <QGuiApplication>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "inspection/InspectionFile.h"
#include "model/NativeFile.h"
#include "report/InspectionReport.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication application(*argc, *argv);
    return 0;
}

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
    }
    kadenza::inspectionReportPdf(data, details);
    return 0;
}
