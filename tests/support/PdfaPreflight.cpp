#include "support/PdfaPreflight.h"

#include "support/CommandOutput.h"

namespace kadenza::test {

namespace {

const char* const classPath =
    "/usr/share/java/preflight.jar:/usr/share/java/pdfbox2.jar:/usr/share/java/fontbox2.jar:"
    "/usr/share/java/xmpbox.jar:/usr/share/java/commons-logging.jar:"
    "/usr/share/java/jaxb-api.jar:/usr/share/java/javax.activation.jar";

}  // namespace

std::string pdfaProblems(const std::string& path) {
    const CommandOutput output =
        commandOutput(std::string("java -cp ") + classPath +
                      " org.apache.pdfbox.preflight.Validator_A1b " + shellQuoted(path));
    if (output.status == 0 && output.text.find("is a valid PDF/A-1b file") != std::string::npos) {
        return {};
    }
    return output.text.empty() ? "Preflight did not run" : output.text;
}

}  // namespace kadenza::test
