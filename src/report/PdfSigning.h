#pragma once

#include <QByteArray>
#include <QRectF>
#include <QString>
#include <string>
#include <vector>

#include "report/NssDatabase.h"

namespace kadenza {

// A signature to put on a PDF, with a certificate of an NSS database.
struct SignatureRequest {
    // The certificate's nickname in the database.
    std::string nickname;
    // The database's folder; empty: the user's shared one, defaultNssDir().
    std::string nssDir;
    // The database's password, when it has one.
    std::string password;
    // Written into the signature.
    std::string reason;
    std::string location;
    // The page (from 0) and the rectangle, in PDF points from the page's top left, of a
    // visible signature; page -1: an invisible one.
    int page = -1;
    QRectF rectangle;
    // The text a visible signature shows (the signer's name, the date); empty: the nickname.
    QString appearance;
};

// The certificates the database holds that can sign, by nickname; the password is not
// needed for them. Throws std::runtime_error naming the folder when it cannot be opened.
std::vector<SigningCertificate> signingCertificates(const std::string& nssDir);

// Whether signing with the database's certificates takes its password; throws as
// signingCertificates does.
bool needsPassword(const std::string& nssDir);

// The PDF signed with a detached CMS signature, as Poppler makes it (SHA-256, the signer's
// certificate referenced in the signed attributes). Throws std::runtime_error with a message
// for the user when the database cannot be opened, holds no such certificate to sign with (the
// message names those it holds), the certificate has expired, the password is wrong or
// missing, or the signing fails. Any database folder can be used, one after the other, in one
// process. Leaves no file behind.
QByteArray signedPdf(const QByteArray& pdf, const SignatureRequest& request);

// The user's shared NSS database, ~/.pki/nssdb, as the system's tools and browsers use it.
std::string defaultNssDir();

}  // namespace kadenza
