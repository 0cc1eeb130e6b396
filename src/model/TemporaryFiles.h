#pragma once

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

// Lets SIGTERM, SIGHUP and SIGINT end the process through endBySignal.
void removeTemporaryFilesOnSignals();

}  // namespace kadenza
