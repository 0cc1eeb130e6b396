#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QRectF>
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
    // Who is to sign, as the document names them ("Ing. Jan Dvořák"). The certificate's holder
    // must be that person (samePerson) unless `signerDiffers` says that another signs on
    // purpose; the visible signature then names the holder.
    std::string signer;
    bool signerDiffers = false;
    // An RFC 3161 time-stamp authority's URL; empty: the time is the computer's.
    std::string timeStampUrl;
};

// The certificates the database holds that can sign, by nickname; the password is not
// needed for them. Throws std::runtime_error naming the folder when it cannot be opened.
std::vector<SigningCertificate> signingCertificates(const std::string& nssDir);

// Whether signing with the database's certificates takes its password; throws as
// signingCertificates does.
bool needsPassword(const std::string& nssDir);

// The PDF with a signature of the kind ETSI.CAdES.detached appended as an incremental update
// (the PDF's own bytes stay as they are): SHA-256, the certificate's chain, the ESS
// signing-certificate-v2 attribute and, with a time-stamp authority, its token. A visible
// signature shows "Digitally signed by", the signer and the time of signing in the report's
// font, in the current language. Throws std::runtime_error with a message for the user when
// the database cannot be opened, holds no such certificate to sign with (the message names
// those it holds), the certificate has expired or is another person's, the password is wrong
// or missing, the authority gives no time-stamp or the signing fails.
QByteArray signedPdf(const QByteArray& pdf, const SignatureRequest& request);

// The user's shared NSS database, ~/.pki/nssdb, as the system's tools and browsers use it.
std::string defaultNssDir();

}  // namespace kadenza
