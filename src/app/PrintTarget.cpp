#include "app/PrintTarget.h"

#include <QPrinterInfo>

namespace kadenza {

// High resolution: the type is laid out in the printer's own pixels, as on paper.
PrintTarget defaultPrintTarget() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        return {};
    }
    return {std::make_unique<QPrinter>(info, QPrinter::HighResolution), info.printerName()};
}

}  // namespace kadenza
