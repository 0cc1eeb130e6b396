#pragma once

#include <functional>

namespace kadenza {

// Runs `sign`, a call into Poppler's signing code, and returns what it returns. Poppler 22.12
// keeps a reference to the certificate it signs with, so the NSS shutdown that it registers to
// run at the exit of the process, at its first signature, fails and says so on stderr
// ("NSS_Shutdown failed: NSS could not shutdown. Objects are still in use."), as if the
// signing had failed. Around the first call, handlers are registered that send stderr to
// /dev/null for Poppler's handler alone: exit handlers run in the reverse order of their
// registration.
bool signQuietlyAtExit(const std::function<bool()>& sign);

}  // namespace kadenza
