#pragma once

#include <QPrinter>
#include <QString>
#include <memory>

namespace kadenza {

// Where a print-out goes: a printer and the name the user knows it by. A target without a
// printer prints nothing.
struct PrintTarget {
    std::unique_ptr<QPrinter> printer;
    QString name;
};

// The system's default printer, or no printer when the system has none.
PrintTarget defaultPrintTarget();

}  // namespace kadenza
