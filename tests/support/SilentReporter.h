#pragma once

#include <string>

#include "link/TransferReporter.h"

namespace kadenza::test {

// A TransferReporter for runs nobody watches: it shows nothing, never cancels, and only
// notes whether a failure was reported.
class SilentReporter : public TransferReporter {
  public:
    void showProgress(const std::string&) override {}
    void setProgress(int) override {}
    void hideProgress() override {}
    bool isCancelled() override { return false; }
    void reportFailure(FailureKind) override { failed = true; }

    bool failed = false;
};

}  // namespace kadenza::test
