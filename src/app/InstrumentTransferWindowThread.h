#pragma once

#include <QString>
#include <functional>

#include "app/InstrumentTransferWindow.h"
#include "model/InstrumentData.h"
#include "model/InstrumentSetup.h"

namespace kadenza {

class InstrumentTransfer;

// One transfer job with an instrument of the current generation on a serial port: reading
// the measured data or the setup, writing the setup, or fetching the model's default
// settings. Each object runs exactly one job; the container must outlive it.
class InstrumentTransferWindowThread : public InstrumentTransferWindow {
    Q_OBJECT

  public:
    // Runs on the user-interface thread when the job has ended; true when it completed.
    using EndHandler = std::function<void(bool completed)>;

    InstrumentTransferWindowThread(const QString& portName, TProgressForm& progress,
                                   MessageBoxes& boxes);

    void startReadData(InstrumentData& data, EndHandler onEnd);
    void startReadSetup(InstrumentSetup& setup, EndHandler onEnd);
    void startWriteSetup(const InstrumentSetup& setup, EndHandler onEnd);
    void startDefaultSettings(InstrumentSetup& setup, EndHandler onEnd);

  protected:
    void work() override;

  private:
    void startJob(std::function<bool(InstrumentTransfer&)> job, EndHandler onEnd);

    QString portName_;
    // The job body with its container, run on the worker against the open port.
    std::function<bool(InstrumentTransfer&)> job_;
    // Written by the worker, read by the end handler once the worker has finished.
    bool completed_ = false;
};

}  // namespace kadenza
