#pragma once

#include <climits>
#include <string>
#include <vector>

#include "link/TransferReporter.h"

namespace kadenza::test {

// A TransferReporter that writes down every call in order ("show Mx340", "progress 25",
// "hide", "failure Cancelled") and answers the cancel question as the test arranged.
class RecordingReporter : public TransferReporter {
  public:
    // isCancelled answers true from its `check`-th call on, counting from 0.
    void cancelAtCheck(int check) { cancelAt_ = check; }

    void showProgress(const std::string& caption) override { events_.push_back("show " + caption); }
    void setProgress(int percent) override {
        events_.push_back("progress " + std::to_string(percent));
        progress_.push_back(percent);
    }
    void hideProgress() override { events_.push_back("hide"); }
    bool isCancelled() override { return checks_++ >= cancelAt_; }
    void reportFailure(FailureKind kind) override {
        events_.push_back(std::string("failure ") + failureName(kind));
    }

    const std::vector<std::string>& events() const { return events_; }
    // The events without the progress values, for runs of many blocks.
    std::vector<std::string> milestones() const {
        std::vector<std::string> kept;
        for (const std::string& event : events_) {
            if (event.rfind("progress ", 0) != 0) {
                kept.push_back(event);
            }
        }
        return kept;
    }
    const std::vector<int>& progress() const { return progress_; }
    int checks() const { return checks_; }

  private:
    static const char* failureName(FailureKind kind) {
        switch (kind) {
            case FailureKind::Cancelled:
                return "Cancelled";
            case FailureKind::NotConnected:
                return "NotConnected";
            case FailureKind::TransmissionFailed:
                return "TransmissionFailed";
        }
        return "unknown";
    }

    std::vector<std::string> events_;
    std::vector<int> progress_;
    int checks_ = 0;
    int cancelAt_ = INT_MAX;
};

}  // namespace kadenza::test
