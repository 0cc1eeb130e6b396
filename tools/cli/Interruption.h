#pragma once

namespace kadenza::cli {

// Ctrl+C (or SIGTERM, or SIGHUP when the terminal goes) during a transfer asks the job to
// stop, as the progress window's stop button does; the job then ends within half a second,
// gives the port its settings back and reports "interrupted". A second Ctrl+C ends the tool
// at once. A signal ignored from the start (nohup) stays ignored.
void catchInterruption();
bool interruptionRequested();

}  // namespace kadenza::cli
