#pragma once

#include <string>
#include <vector>

#include "support/TempDir.h"

namespace kadenza::test {

// A throw-away NSS database, as a technician's ~/.pki/nssdb would be, with a password and one
// self-signed certificate for signing (its subject CN=nickname): a signature made with it
// validates, though no validator knows its issuer. Made with certutil (libnss3-tools); removed
// with its folder. Throws std::runtime_error when certutil fails.
class NssTestDatabase {
  public:
    NssTestDatabase(const std::string& nickname, const std::string& password);

    // The database's folder, as the signing code and pdfsig -nssdir take it.
    std::string folder() const { return dir_.path("nssdb"); }

  private:
    void certutil(const std::vector<std::string>& arguments) const;

    TempDir dir_;
};

}  // namespace kadenza::test
