#pragma once

#include <string>

namespace kadenza {

// The SHA-256 of the bytes as 64 lower-case hex digits: the same file added twice has the same
// hash, and no two different files are expected to.
std::string contentHash(const std::string& bytes);

}  // namespace kadenza
