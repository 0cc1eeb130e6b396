#include "app/InstrumentTransferWindowPrint.h"

#include <QPainter>

#include "app/DrawRichText.h"
#include "app/PrintLayout.h"
#include "model/Utf8ToUtf16.h"

namespace kadenza {

namespace {

constexpr int printedColumns = 7;  // symbol, unit and note
constexpr std::size_t rowCharacters = 100;
constexpr int tabPosition = 40;  // device pixels
const QString face = QStringLiteral("Arial");
const QString jobTitle = QStringLiteral("Transfer");

int itemCount(const InstrumentData& data) {
    int count = 0;
    for (int b = 0; b < data.count(); ++b) {
        count += data.bank(b)->count();
    }
    return count;
}

// The painter's origin is already the printable area's corner, so the rows lie this far again
// inside the printable area.
QPoint printableOffset(const QPrinter& printer) {
    return (printer.pageRect(QPrinter::DevicePixel).topLeft() -
            printer.paperRect(QPrinter::DevicePixel).topLeft())
        .toPoint();
}

}  // namespace

InstrumentTransferWindowPrint::InstrumentTransferWindowPrint(PrintTarget target,
                                                             TProgressForm& progress,
                                                             MessageBoxes& boxes)
    : InstrumentTransferWindow(progress, boxes), target_(std::move(target)) {}

void InstrumentTransferWindowPrint::start(const InstrumentData& data, std::function<void()> onEnd) {
    data_ = &data;
    launch(std::move(onEnd));
}

void InstrumentTransferWindowPrint::work() {
    if (!target_.printer) {
        return;
    }
    showProgress(target_.name.toStdString());
    std::vector<Page> pages;
    if (layOut(PrintLayout(*target_.printer, printableOffset(*target_.printer)), pages)) {
        print(pages);
    }
    hideProgress();
}

// Qt's printers cannot abort a document once begun: ending it, which the painter does in any
// case, hands it to the spooler. So the rows are placed first, and the document is begun only
// once the user can no longer stop the job. A new page begins only for a row that follows: a
// print-out that fills its last page exactly ends there.
bool InstrumentTransferWindowPrint::layOut(const PrintLayout& layout, std::vector<Page>& pages) {
    const int total = itemCount(*data_);
    const std::size_t rowsPerPage = static_cast<std::size_t>(layout.rowsPerPage());
    pages.assign(1, {});
    int done = 0;
    for (int b = 0; b < data_->count(); ++b) {
        const InstrumentBank& bank = *data_->bank(b);
        for (int i = 0; i < bank.count(); ++i) {
            setProgress(done * 100 / total);
            if (isCancelled()) {
                return false;
            }
            if (pages.back().size() == rowsPerPage) {
                pages.emplace_back();
            }
            const InstrumentItem& item = *bank.item(i);
            const int row = static_cast<int>(pages.back().size());
            pages.back().push_back({layout.rowRect(row),
                                    utf8ToUtf16(item.text(printedColumns), rowCharacters),
                                    item.isPrimary()});
            ++done;
        }
    }
    return true;
}

// An empty container still gives its one empty page. Errors of the spooler go unnoticed.
void InstrumentTransferWindowPrint::print(const std::vector<Page>& pages) {
    QPrinter& printer = *target_.printer;
    printer.setDocName(jobTitle);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return;
    }
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (p > 0) {
            printer.newPage();
        }
        for (const Row& row : pages[p]) {
            DrawRichText(painter, face, row.rect, row.text, tabPosition, row.bold, false);
        }
    }
    painter.end();
}

}  // namespace kadenza
