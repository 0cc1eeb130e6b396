#pragma once

#include <QString>
#include <functional>

#include "app/InstrumentTransferWindow.h"
#include "model/InstrumentData.h"

namespace kadenza {

// The download from an Mx310.1, which pushes its memory at 1200 baud on its own: the job
// listens on the port until the frame arrives or the user stops it. The container must
// outlive the object.
class Mx310Old : public InstrumentTransferWindow {
    Q_OBJECT

  public:
    Mx310Old(const QString& portName, TProgressForm& progress, MessageBoxes& boxes);

    // `onEnd` is told whether the frame arrived and filled the container.
    void start(InstrumentData& data, std::function<void(bool completed)> onEnd);

  protected:
    void work() override;

  private:
    QString portName_;
    InstrumentData* data_ = nullptr;
    // Written by the worker, read by the end handler once the worker has finished.
    bool completed_ = false;
};

}  // namespace kadenza
