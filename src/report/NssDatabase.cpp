#include "report/NssDatabase.h"

#include <cert.h>
#include <nss.h>
#include <pk11pub.h>
#include <prtime.h>
#include <secerr.h>
// The only NSS header without C linkage of its own.
extern "C" {
#include <utilpars.h>
}

#include <algorithm>
#include <atomic>
#include <stdexcept>

namespace kadenza {

namespace {

struct ListRelease {
    void operator()(CERTCertList* list) const { CERT_DestroyCertList(list); }
};
using CertificateList = std::unique_ptr<CERTCertList, ListRelease>;

// NSS for the whole process, with no database of its own: each database is opened beside it.
// NSS that another part of the process has set up already is left as it is.
void initialiseNss() {
    if (!NSS_IsInitialized() && NSS_NoDB_Init(nullptr) != SECSuccess) {
        throw std::runtime_error("Cannot initialise NSS");
    }
}

// Each database opened gets a token name of its own, so that a nickname qualified with it
// names that database's certificate even while another database holds the same nickname.
std::string freshTokenName() {
    static std::atomic<int> opened{0};
    return "Kadenza database " + std::to_string(++opened);
}

// The folder as a value among the parameters NSS opens a database with, quoted and escaped.
std::string quoted(const std::string& folder) {
    char* value = NSSUTIL_Quote(folder.c_str(), '\'');
    std::string text(value);
    PORT_Free(value);
    return text;
}

std::string dayOf(PRTime time) {
    PRExplodedTime exploded;
    PR_ExplodeTime(time, PR_GMTParameters, &exploded);
    char day[16];
    PR_FormatTimeUSEnglish(day, sizeof day, "%Y-%m-%d", &exploded);
    return day;
}

// A certificate with its private key (NSS tells so without the password) whose key usage, if
// it names one, includes signing.
bool canSign(CERTCertificate* certificate) {
    return CERT_IsUserCert(certificate) &&
           (!certificate->keyUsagePresent ||
            (certificate->keyUsage & (KU_DIGITAL_SIGNATURE | KU_NON_REPUDIATION)) != 0);
}

std::string holderOf(CERTCertificate* certificate) {
    char* name = CERT_GetCommonName(&certificate->subject);
    if (name == nullptr) {
        return certificate->subjectName;
    }
    std::string holder(name);
    PORT_Free(name);
    return holder;
}

struct Signer {
    CERTCertificate* certificate;
    std::string nickname;
};

// The certificates of the list that can sign, with their nicknames in the database: NSS
// puts the token's name before them.
std::vector<Signer> signersIn(CERTCertList* list, const std::string& tokenName) {
    std::vector<Signer> signers;
    if (list == nullptr) {
        return signers;
    }
    const std::string prefix = tokenName + ":";
    for (CERTCertListNode* node = CERT_LIST_HEAD(list); !CERT_LIST_END(node, list);
         node = CERT_LIST_NEXT(node)) {
        const std::string nickname = static_cast<const char*>(node->appData);
        if (canSign(node->cert)) {
            signers.push_back({node->cert, nickname.rfind(prefix, 0) == 0
                                               ? nickname.substr(prefix.size())
                                               : nickname});
        }
    }
    return signers;
}

std::string heldNicknames(const std::vector<SigningCertificate>& certificates) {
    if (certificates.empty()) {
        return "none";
    }
    std::string names;
    for (const SigningCertificate& certificate : certificates) {
        names += (names.empty() ? "\"" : ", \"") + certificate.nickname + "\"";
    }
    return names;
}

}  // namespace

void NssDatabase::SlotRelease::operator()(PK11SlotInfoStr* slot) const {
    PK11_Logout(slot);
    SECMOD_CloseUserDB(slot);
    PK11_FreeSlot(slot);
}

NssDatabaseUnopened::NssDatabaseUnopened(const std::string& folder)
    : std::runtime_error("Cannot open the NSS certificate database in " + folder),
      folder_(folder) {}

NssDatabase::NssDatabase(const std::string& folder)
    : folder_(folder), tokenName_(freshTokenName()) {
    initialiseNss();
    const std::string parameters =
        "configdir=" + quoted(folder) + " tokenDescription='" + tokenName_ + "' flags=readOnly";
    slot_.reset(SECMOD_OpenUserDB(parameters.c_str()));
    if (!slot_) {
        throw NssDatabaseUnopened(folder);
    }
}

NssDatabase::~NssDatabase() = default;

std::vector<SigningCertificate> NssDatabase::signingCertificates() const {
    const CertificateList list(PK11_ListCertsInSlot(slot_.get()));
    std::vector<SigningCertificate> certificates;
    for (const Signer& signer : signersIn(list.get(), tokenName_)) {
        PRTime notBefore = 0;
        PRTime notAfter = 0;
        CERT_GetCertTimes(signer.certificate, &notBefore, &notAfter);
        certificates.push_back({signer.nickname, signer.certificate->subjectName,
                                holderOf(signer.certificate), dayOf(notAfter)});
    }
    std::sort(certificates.begin(), certificates.end(),
              [](const SigningCertificate& a, const SigningCertificate& b) {
                  return a.nickname < b.nickname;
              });
    return certificates;
}

bool NssDatabase::needsPassword() const {
    return PK11_NeedLogin(slot_.get()) && !PK11_IsLoggedIn(slot_.get(), nullptr);
}

void NssDatabase::logIn(const std::string& password) {
    if (!needsPassword()) {
        return;
    }
    if (password.empty()) {
        throw std::runtime_error("The NSS certificate database in " + folder_ +
                                 " needs its password");
    }
    if (PK11_CheckUserPassword(slot_.get(), password.c_str()) == SECSuccess) {
        return;
    }
    if (PORT_GetError() == SEC_ERROR_BAD_PASSWORD) {
        throw std::runtime_error("Wrong password for the NSS certificate database in " + folder_);
    }
    throw std::runtime_error("Cannot log in to the NSS certificate database in " + folder_);
}

std::string NssDatabase::signerName(const std::string& nickname) const {
    const CertificateList list(PK11_ListCertsInSlot(slot_.get()));
    for (const Signer& signer : signersIn(list.get(), tokenName_)) {
        if (signer.nickname != nickname) {
            continue;
        }
        PRTime notBefore = 0;
        PRTime notAfter = 0;
        CERT_GetCertTimes(signer.certificate, &notBefore, &notAfter);
        switch (CERT_CheckCertValidTimes(signer.certificate, PR_Now(), PR_FALSE)) {
            case secCertTimeExpired:
                throw std::runtime_error("The certificate \"" + nickname + "\" expired on " +
                                         dayOf(notAfter));
            case secCertTimeNotValidYet:
                throw std::runtime_error("The certificate \"" + nickname +
                                         "\" is valid only from " + dayOf(notBefore));
            default:
                return tokenName_ + ":" + nickname;
        }
    }
    throw std::runtime_error("The NSS certificate database in " + folder_ +
                             " holds no certificate \"" + nickname + "\" to sign with; it holds " +
                             heldNicknames(signingCertificates()));
}

}  // namespace kadenza
