#pragma once

#include <string>

namespace kadenza {

// The time-stamp token that the authority at `url` gives over HTTP for the SHA-256 `digest`
// (RFC 3161: a request with a nonce, the authority's certificate asked for), as the DER of its
// ContentInfo. Throws std::runtime_error naming the authority when it cannot be reached within
// half a minute, refuses, or answers with a token for something else.
std::string timeStampToken(const std::string& url, const std::string& digest);

}  // namespace kadenza
