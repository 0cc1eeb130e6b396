#pragma once

#include <functional>
#include <string>

namespace kadenza {

// A time-stamp token (a DER ContentInfo) over the SHA-256 digest it is given; an empty one
// for none. Throws std::runtime_error when the authority cannot give one.
using TimeStamper = std::function<std::string(const std::string& digest)>;

// The CMS SignedData of a PDF signature of the kind ETSI.CAdES.detached: over the SHA-256
// `contentDigest` of the signed bytes, made with the private key of the certificate NSS knows
// as `certificateName` (its database open and logged in), carrying the certificate's chain
// and, among the signed attributes, the ESS signing-certificate-v2 that binds the signature to
// that certificate. Without a signing-time attribute: the PDF's signature dictionary holds the
// time. A `timeStamper` adds its token over the signature value as an unsigned attribute.
// Throws std::runtime_error naming what failed.
std::string cadesSignedData(const std::string& certificateName, const std::string& contentDigest,
                            const TimeStamper& timeStamper);

// The SHA-256 digest of the bytes, as NSS computes it.
std::string sha256(const std::string& bytes);

}  // namespace kadenza
