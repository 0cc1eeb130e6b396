#pragma once

#include <QThread>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>

#include "link/TransferReporter.h"

namespace kadenza {

class MessageBoxes;
class TProgressForm;

// A job on a worker thread of its own that shows its progress in the progress window, can be
// stopped from it and reports its failures in a message box. The object belongs to the
// user-interface thread that creates it; only work() executes on the worker. It is made with
// new, started once by a subclass, and frees itself after its end handler ran: the starter
// never touches it after the start.
class InstrumentTransferWindow : public QThread, public TransferReporter {
    Q_OBJECT

  public:
    InstrumentTransferWindow(TProgressForm& progress, MessageBoxes& boxes);

    // Called by work() on the worker; each waits until the user-interface thread has done it.
    void showProgress(const std::string& caption) override;
    void setProgress(int percent) override;
    void hideProgress() override;
    bool isCancelled() override;
    // Returns when the user has closed the message box.
    void reportFailure(FailureKind kind) override;

  protected:
    // Starts the thread. `onEnd` runs on the user-interface thread once the thread has
    // finished, whatever the job's outcome, after any message box was closed and with the
    // progress window down if the job still held it; then the object frees itself.
    void launch(std::function<void()> onEnd);
    // For a job that may wait long before its progress starts (an identification that gets
    // no answer, or a line full of noise): unless the job showed its progress by then, the
    // progress window comes up after `milliseconds` all the same, without a caption, so that
    // the wait can be stopped there.
    void offerStopAfter(int milliseconds);
    // The job, on the worker.
    virtual void work() = 0;

  private:
    void run() final;
    // Runs `call` on the user-interface thread while the worker waits for it.
    void onInterfaceThread(const std::function<void()>& call);
    // On the user-interface thread: runs the call the worker is waiting on.
    Q_INVOKABLE void runPendingCall();
    // Lets the waiting worker go on.
    void releaseWorker();
    // False while another job holds the progress window: this job's progress and closing
    // must not move or hide the other's window, nor stop the other job.
    bool drivesProgress() const;
    void end();
    // Takes the lock the worker released last, so the end handler sees all it wrote.
    void takeOverFromWorker();

    TProgressForm& progress_;
    MessageBoxes& boxes_;
    std::function<void()> onEnd_;
    // The hand-over between the worker and the user-interface thread. Qt's queued calls
    // order the two threads as well, but through locks that thread checkers cannot see, so
    // every piece of data that crosses goes through this mutex.
    std::mutex handover_;
    std::condition_variable callDone_;
    const std::function<void()>* pendingCall_ = nullptr;
    // Set on the user-interface thread once the job showed its progress.
    bool progressShown_ = false;
};

}  // namespace kadenza
