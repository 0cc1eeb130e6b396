#pragma once

#include <stdexcept>
#include <string>

namespace kadenza {

// What went wrong with the archive, for a caller that answers each differently.
enum class ArchiveProblem {
    // The server cannot be reached, refused the connection or went away.
    unreachable,
    // The file or database holds something else.
    notAnArchive,
    damaged,
    // Written by a newer program: its schema is left as it is.
    tooNew,
    // The disk is full, the file may grow no further, or a write to it failed.
    full,
    // A data file the archive does not take: not a data file, details that cannot be read, no
    // site.
    refused,
    // No inspection has the id asked for.
    notFound,
    // Anything else the engine reports, such as a permission it lacks.
    failed,
};

// A failure of the archive, its message naming the problem for the user.
class ArchiveError : public std::runtime_error {
  public:
    ArchiveError(ArchiveProblem problem, const std::string& message)
        : std::runtime_error(message), problem_(problem) {}

    ArchiveProblem problem() const { return problem_; }

  private:
    ArchiveProblem problem_;
};

}  // namespace kadenza
