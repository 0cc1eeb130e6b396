#include "report/CadesSignature.h"

#include <cert.h>
#include <cryptohi.h>
#include <keyhi.h>
#include <pk11pub.h>
#include <secoid.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "report/Der.h"

namespace kadenza {

namespace {

using der::Bytes;

const char* const dataType = "1.2.840.113549.1.7.1";
const char* const signedDataType = "1.2.840.113549.1.7.2";
const char* const sha256Algorithm = "2.16.840.1.101.3.4.2.1";
const char* const contentTypeAttribute = "1.2.840.113549.1.9.3";
const char* const messageDigestAttribute = "1.2.840.113549.1.9.4";
const char* const signingCertificateV2Attribute = "1.2.840.113549.1.9.16.2.47";
const char* const timeStampTokenAttribute = "1.2.840.113549.1.9.16.2.14";
const char* const rsaEncryption = "1.2.840.113549.1.1.1";
const char* const ecdsaWithSha256 = "1.2.840.10045.4.3.2";

struct CertificateRelease {
    void operator()(CERTCertificate* certificate) const { CERT_DestroyCertificate(certificate); }
};
struct KeyRelease {
    void operator()(SECKEYPrivateKey* key) const { SECKEY_DestroyPrivateKey(key); }
};
struct ChainRelease {
    void operator()(CERTCertificateList* chain) const { CERT_DestroyCertificateList(chain); }
};

Bytes bytesOf(const SECItem& item) {
    return Bytes(reinterpret_cast<const char*>(item.data), item.len);
}

Bytes algorithm(const char* oid, bool withNullParameters) {
    return withNullParameters ? der::sequence({der::objectIdentifier(oid), der::null()})
                              : der::sequence({der::objectIdentifier(oid)});
}

Bytes attribute(const char* oid, const Bytes& value) {
    return der::sequence({der::objectIdentifier(oid), der::setOf({value})});
}

// The certificate and those that issued it, as far as the database knows them.
std::vector<Bytes> chainOf(CERTCertificate* certificate) {
    const std::unique_ptr<CERTCertificateList, ChainRelease> chain(
        CERT_CertChainFromCert(certificate, certUsageEmailSigner, PR_TRUE));
    if (!chain) {
        return {bytesOf(certificate->derCert)};
    }
    std::vector<Bytes> certificates;
    for (int i = 0; i < chain->len; ++i) {
        certificates.push_back(bytesOf(chain->certs[i]));
    }
    return certificates;
}

// SigningCertificateV2 with one ESSCertIDv2: the certificate's SHA-256 hash (the default
// algorithm, so not named) and its issuer and serial number.
Bytes signingCertificateV2(CERTCertificate* certificate) {
    const Bytes directoryName = der::tagged(der::contextTag + 4, bytesOf(certificate->derIssuer));
    const Bytes issuerSerial = der::sequence(
        {der::sequence({directoryName}), der::integer(bytesOf(certificate->serialNumber))});
    const Bytes certificateId =
        der::sequence({der::octetString(sha256(bytesOf(certificate->derCert))), issuerSerial});
    return der::sequence({der::sequence({certificateId})});
}

// The signed attributes: the type of what is signed, its digest and the signer's certificate.
// They are signed as this SET and carried as [0] IMPLICIT, the same bytes under another tag.
Bytes signedAttributes(CERTCertificate* certificate, const std::string& contentDigest) {
    return der::setOf({
        attribute(contentTypeAttribute, der::objectIdentifier(dataType)),
        attribute(messageDigestAttribute, der::octetString(contentDigest)),
        attribute(signingCertificateV2Attribute, signingCertificateV2(certificate)),
    });
}

struct SignatureAlgorithm {
    SECOidTag tag;
    Bytes identifier;
};

SignatureAlgorithm signatureAlgorithm(SECKEYPrivateKey* key) {
    switch (SECKEY_GetPrivateKeyType(key)) {
        case rsaKey:
            return {SEC_OID_PKCS1_SHA256_WITH_RSA_ENCRYPTION, algorithm(rsaEncryption, true)};
        case ecKey:
            return {SEC_OID_ANSIX962_ECDSA_SHA256_SIGNATURE, algorithm(ecdsaWithSha256, false)};
        default:
            throw std::runtime_error(
                "The certificate's key is neither RSA nor EC: cannot sign with it");
    }
}

Bytes signatureValue(SECKEYPrivateKey* key, SECOidTag algorithmTag, const Bytes& toSign) {
    SECItem result{siBuffer, nullptr, 0};
    if (SEC_SignData(&result, reinterpret_cast<const unsigned char*>(toSign.data()),
                     static_cast<int>(toSign.size()), key, algorithmTag) != SECSuccess) {
        throw std::runtime_error("The certificate's private key did not sign");
    }
    const Bytes value = bytesOf(result);
    SECITEM_FreeItem(&result, PR_FALSE);
    return value;
}

Bytes signerInfo(CERTCertificate* certificate, SECKEYPrivateKey* key,
                 const std::string& contentDigest, const TimeStamper& timeStamper) {
    const SignatureAlgorithm algorithmUsed = signatureAlgorithm(key);
    const Bytes attributes = signedAttributes(certificate, contentDigest);
    const Bytes value = signatureValue(key, algorithmUsed.tag, attributes);
    Bytes carried = attributes;
    carried[0] = static_cast<char>(der::contextTag);
    std::vector<Bytes> fields{
        der::smallInteger(1),
        der::sequence(
            {bytesOf(certificate->derIssuer), der::integer(bytesOf(certificate->serialNumber))}),
        algorithm(sha256Algorithm, false),
        carried,
        algorithmUsed.identifier,
        der::octetString(value),
    };
    const std::string token = timeStamper ? timeStamper(sha256(value)) : std::string();
    if (!token.empty()) {
        fields.push_back(
            der::tagged(der::contextTag + 1, attribute(timeStampTokenAttribute, token)));
    }
    return der::sequence(fields);
}

}  // namespace

std::string cadesSignedData(const std::string& certificateName, const std::string& contentDigest,
                            const TimeStamper& timeStamper) {
    const std::unique_ptr<CERTCertificate, CertificateRelease> certificate(
        PK11_FindCertFromNickname(certificateName.c_str(), nullptr));
    if (!certificate) {
        throw std::runtime_error("NSS cannot find the certificate " + certificateName);
    }
    const std::unique_ptr<SECKEYPrivateKey, KeyRelease> key(
        PK11_FindKeyByAnyCert(certificate.get(), nullptr));
    if (!key) {
        throw std::runtime_error("NSS has no private key of the certificate " + certificateName);
    }
    Bytes certificates;
    for (const Bytes& one : chainOf(certificate.get())) {
        certificates += one;
    }
    const Bytes signedData = der::sequence({
        der::smallInteger(1),
        der::setOf({algorithm(sha256Algorithm, false)}),
        der::sequence({der::objectIdentifier(dataType)}),
        der::tagged(der::contextTag, certificates),
        der::setOf({signerInfo(certificate.get(), key.get(), contentDigest, timeStamper)}),
    });
    return der::sequence(
        {der::objectIdentifier(signedDataType), der::tagged(der::contextTag, signedData)});
}

std::string sha256(const std::string& bytes) {
    unsigned char digest[32];
    if (PK11_HashBuf(SEC_OID_SHA256, digest, reinterpret_cast<const unsigned char*>(bytes.data()),
                     static_cast<PRInt32>(bytes.size())) != SECSuccess) {
        throw std::runtime_error("NSS cannot compute a SHA-256 digest");
    }
    return std::string(reinterpret_cast<const char*>(digest), sizeof digest);
}

}  // namespace kadenza
