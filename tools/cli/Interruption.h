#pragma once

namespace kadenza::cli {

// Ctrl+C (or SIGTERM) during a transfer asks the job to stop, as the progress window's stop
// button does; the job then ends within half a second and reports "interrupted". A second
// Ctrl+C ends the tool at once.
void catchInterruption();
bool interruptionRequested();

}  // namespace kadenza::cli
