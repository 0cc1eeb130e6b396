// Details as a user gives them: any text imported as a document, or set as NAME=VALUE; what
// is accepted is judged against a sample container and written out again.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>

#include "inspection/CsvExport.h"
#include "inspection/JsonExport.h"
#include "support/SampleData.h"

namespace {

void judgeSample(const kadenza::DetailsDocument& details) {
    static const auto sample = kadenza::test::sampleData();
    std::ostringstream out;
    kadenza::writeContainerJson(out, *sample, details);
    out << kadenza::csvText(*sample, details) << details.toJson(true);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(bytes), size);
    try {
        judgeSample(kadenza::DetailsDocument::imported(text));
    } catch (const std::runtime_error&) {
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos) {
        return 0;
    }
    kadenza::DetailsDocument details;
    try {
        details.set(text.substr(0, equals), text.substr(equals + 1));
        details.checkConsistent();
    } catch (const std::invalid_argument&) {
        return 0;
    }
    judgeSample(details);
    return 0;
}
