#pragma once

#include <filesystem>

namespace kadenza {

// An archive holds clients' names and addresses: what it makes is for its user alone, whatever
// the umask. What is there already keeps its modes, as its owner chose them.

// Makes the folder and those missing above it, each 0700. A failure is left for the opening of
// the file inside to report.
void makePrivateFolders(const std::filesystem::path& folder);

// Makes an empty file 0600 where none is, so that the engine's files beside it (SQLite's -wal
// and -shm) take its mode. A failure is left for the engine to report.
void makePrivateFile(const std::filesystem::path& path);

}  // namespace kadenza
