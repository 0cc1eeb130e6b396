#pragma once

namespace kadenza::cli {

// Ctrl+C during a transfer asks the job to stop, as the progress window's stop button does;
// the job then ends at its next check and reports "interrupted".
void catchInterruption();
bool interruptionRequested();

}  // namespace kadenza::cli
