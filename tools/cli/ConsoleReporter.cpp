#include "cli/ConsoleReporter.h"

#include <unistd.h>

#include <iostream>

#include "cli/CliError.h"
#include "cli/Interruption.h"

namespace kadenza::cli {

namespace {

constexpr int barWidth = 40;

}  // namespace

ConsoleReporter::ConsoleReporter() : drawing_(isatty(STDERR_FILENO) != 0) {}

void ConsoleReporter::showProgress(const std::string& caption) {
    caption_ = caption;
    shown_ = true;
    draw();
}

void ConsoleReporter::setProgress(int percent) {
    percent_ = percent;
    if (shown_) {
        draw();
    }
}

void ConsoleReporter::hideProgress() {
    if (shown_ && drawing_) {
        std::cerr << "\r\033[K" << std::flush;
    }
    shown_ = false;
    percent_ = 0;
}

bool ConsoleReporter::isCancelled() {
    return interruptionRequested();
}

void ConsoleReporter::reportFailure(FailureKind kind) {
    failure_ = kind;
    std::cerr << "kadenza-cli: " << failureText(kind) << '\n';
}

void ConsoleReporter::draw() {
    if (!drawing_) {
        return;
    }
    const int filled = percent_ * barWidth / 100;
    std::cerr << '\r' << caption_ << " [" << std::string(filled, '#')
              << std::string(barWidth - filled, ' ') << "] " << percent_ << '%' << std::flush;
}

int exitCodeOf(FailureKind kind) {
    switch (kind) {
        case FailureKind::NotConnected:
            return exitNotConnected;
        case FailureKind::Cancelled:
            return exitInterrupted;
        case FailureKind::TransmissionFailed:
            return exitTransmissionFailed;
    }
    return exitTransmissionFailed;
}

}  // namespace kadenza::cli
