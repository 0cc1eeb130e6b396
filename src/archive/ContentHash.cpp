#include "archive/ContentHash.h"

#include <openssl/evp.h>

#include <stdexcept>

#include "archive/HexText.h"

namespace kadenza {

std::string contentHash(const std::string& bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr) != 1) {
        throw std::runtime_error("Cannot compute SHA-256");
    }
    return hexText(digest, length);
}

}  // namespace kadenza
