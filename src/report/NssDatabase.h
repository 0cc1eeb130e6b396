#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

// NSS's slot, without its headers: they clash with Qt's keywords.
struct PK11SlotInfoStr;

namespace kadenza {

// A certificate the database holds with its private key, allowed to sign.
struct SigningCertificate {
    std::string nickname;
    // "CN=Jan Dvořák,O=Elektro Dvořák"
    std::string subject;
    // The holder's common name, "Jan Dvořák"; the subject when it names none.
    std::string holder;
    // The last day it is valid, in UTC: "2028-12-31".
    std::string validUntil;
};

// A folder where NSS finds no database it can open. The message is English, naming the folder;
// a window says it in its own language.
class NssDatabaseUnopened : public std::runtime_error {
  public:
    explicit NssDatabaseUnopened(const std::string& folder);
    const std::string& folder() const { return folder_; }

  private:
    std::string folder_;
};

// An NSS certificate database (a folder with cert9.db and key4.db), opened read-only beside
// whatever other database the process has open, and closed again, logged out, when this ends.
// A database opened here can be any folder, one after the other, in one process.
class NssDatabase {
  public:
    // Throws NssDatabaseUnopened when NSS cannot open a database there.
    explicit NssDatabase(const std::string& folder);
    ~NssDatabase();
    NssDatabase(const NssDatabase&) = delete;
    NssDatabase& operator=(const NssDatabase&) = delete;

    // Listed by nickname without the password, which guards the private keys but not the
    // certificates.
    std::vector<SigningCertificate> signingCertificates() const;
    bool needsPassword() const;
    // Unlocks the private keys. Throws std::runtime_error for a wrong or missing password.
    void logIn(const std::string& password);
    // The name under which NSS finds the certificate in this database and no other, to sign
    // with. Throws std::runtime_error when the database holds no such
    // certificate to sign with (naming those it holds), or when it has expired.
    std::string signerName(const std::string& nickname) const;

  private:
    struct SlotRelease {
        void operator()(PK11SlotInfoStr* slot) const;
    };

    std::string folder_;
    std::string tokenName_;
    std::unique_ptr<PK11SlotInfoStr, SlotRelease> slot_;
};

}  // namespace kadenza
