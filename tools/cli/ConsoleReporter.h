#pragma once

#include <optional>
#include <string>

#include "link/TransferReporter.h"

namespace kadenza::cli {

// Shows a transfer on stderr: a progress bar while blocks move (drawn only on a terminal)
// and the failure message as the tool's one error line. Ctrl+C cancels.
class ConsoleReporter : public TransferReporter {
  public:
    ConsoleReporter();

    void showProgress(const std::string& caption) override;
    void setProgress(int percent) override;
    void hideProgress() override;
    bool isCancelled() override;
    void reportFailure(FailureKind kind) override;

    const std::optional<FailureKind>& failure() const { return failure_; }

  private:
    void draw();

    bool drawing_;
    bool shown_ = false;
    std::string caption_;
    int percent_ = 0;
    std::optional<FailureKind> failure_;
};

// The tool's exit code for a failed transfer: 3 not connected, 4 transmission failed,
// 5 interrupted.
int exitCodeOf(FailureKind kind);

}  // namespace kadenza::cli
