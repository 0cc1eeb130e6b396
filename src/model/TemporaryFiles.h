#pragma once

#include <csignal>
#include <string>

namespace kadenza {

// The temporary files the process has made and not yet put in place, so that a signal which
// ends the process does not leave them behind. A handful at a time at most: an output that
// finds every place taken is simply not listed.

// Lists the file; forgetTemporaryFile takes it off again once it is renamed or removed.
void rememberTemporaryFile(const std::string& path);
void forgetTemporaryFile(const std::string& path);

// Removes every listed file. Safe in a signal handler.
void removeTemporaryFiles();

// Removes the listed files, then ends the process as the signal would have. Safe in a signal
// handler.
[[noreturn]] void endBySignal(int signal);

// The signals that end the process on a person's or the system's request.
constexpr int endingSignals[] = {SIGTERM, SIGHUP, SIGINT};

// Lets the signal reach `handler`, unless the process started with it ignored (as under
// nohup), where it stays ignored.
void catchUnlessIgnored(int signal, void (*handler)(int));

// Lets SIGTERM, SIGHUP and SIGINT end the process through endBySignal.
void removeTemporaryFilesOnSignals();

}  // namespace kadenza
