#pragma once

#include <sys/types.h>

#include <string>

#include "support/TempDir.h"

namespace kadenza::test {

// An RFC 3161 time-stamp authority on 127.0.0.1 for the life of the object: a few lines of
// Python's HTTP server that pass each request to `openssl ts -reply`, with a self-signed
// certificate of its own for time-stamping. Throws std::runtime_error when it cannot start.
class LocalTimeStampAuthority {
  public:
    LocalTimeStampAuthority();
    ~LocalTimeStampAuthority();
    LocalTimeStampAuthority(const LocalTimeStampAuthority&) = delete;
    LocalTimeStampAuthority& operator=(const LocalTimeStampAuthority&) = delete;

    std::string url() const { return url_; }

  private:
    TempDir dir_;
    pid_t server_ = -1;
    std::string url_;
};

}  // namespace kadenza::test
