#pragma once

#include <string>

namespace kadenza {

// Why a transfer job ended early. Each has its message row in the language tables.
enum class FailureKind { Cancelled = 1, NotConnected = 2, TransmissionFailed = 3 };

// The message of a failure in the current language ("Instrument not connected", ...).
std::string failureText(FailureKind kind);
// The caption of the failure message box in the current language ("Error").
std::string failureCaption();

// What a transfer job tells the person waiting for it: the windows show a progress window
// and a message box, the command-line tool a progress bar and a line on stderr, tests
// record the calls.
class TransferReporter {
  public:
    virtual ~TransferReporter() = default;

    virtual void showProgress(const std::string& caption) = 0;
    virtual void setProgress(int percent) = 0;
    virtual void hideProgress() = 0;
    // Asked before each block (and before each byte of the Mx310.1 frame).
    virtual bool isCancelled() = 0;
    virtual void reportFailure(FailureKind kind) = 0;
};

}  // namespace kadenza
