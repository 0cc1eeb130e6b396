#pragma once

#include <QRect>
#include <functional>
#include <string>
#include <vector>

#include "app/InstrumentTransferWindow.h"
#include "app/PrintTarget.h"
#include "model/InstrumentData.h"

namespace kadenza {

class PrintLayout;

// Prints the measured items of a container on a worker thread, one item per row in the
// type of the tree, with progress and a stop in the progress window. The banks' own rows
// are not printed. The container must outlive the object and stay unchanged until the end
// handler runs.
class InstrumentTransferWindowPrint : public InstrumentTransferWindow {
    Q_OBJECT

  public:
    InstrumentTransferWindowPrint(PrintTarget target, TProgressForm& progress, MessageBoxes& boxes);

    void start(const InstrumentData& data, std::function<void()> onEnd);

  protected:
    void work() override;

  private:
    // One printed row, placed on its page.
    struct Row {
        QRect rect;
        std::u16string text;
        bool bold;
    };
    using Page = std::vector<Row>;

    // Places every item on a page, showing the progress before each; false when the user
    // stopped the job, and then nothing has reached the printer.
    bool layOut(const PrintLayout& layout, std::vector<Page>& pages);
    void print(const std::vector<Page>& pages);

    PrintTarget target_;
    const InstrumentData* data_ = nullptr;
};

}  // namespace kadenza
