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
    InstrumentTransferWindowThread(const QString& portName, TProgressForm& progress,
                                   MessageBoxes& boxes);

    void startReadData(InstrumentData& data, std::function<void()> onEnd);
    void startReadSetup(InstrumentSetup& setup, std::function<void()> onEnd);
    void startWriteSetup(const InstrumentSetup& setup, std::function<void()> onEnd);
    void startDefaultSettings(InstrumentSetup& setup, std::function<void()> onEnd);

  protected:
    void work() override;

  private:
    void startJob(std::function<void(InstrumentTransfer&)> job, std::function<void()> onEnd);

    QString portName_;
    // The job body with its container, run on the worker against the open port.
    std::function<void(InstrumentTransfer&)> job_;
};

}  // namespace kadenza
