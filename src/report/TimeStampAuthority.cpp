#include "report/TimeStampAuthority.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <random>
#include <stdexcept>

#include "report/Der.h"

namespace kadenza {

namespace {

using der::Bytes;

constexpr int answerTimeout = 30000;
const char* const sha256Algorithm = "2.16.840.1.101.3.4.2.1";

Bytes randomNonce() {
    std::random_device random;
    Bytes nonce;
    for (int i = 0; i < 8; ++i) {
        nonce += static_cast<char>(random() & 0x7F);
    }
    return nonce;
}

// TimeStampReq: version 1, the message imprint, the nonce, and the authority's certificate
// asked for, so that the token can be checked without it.
Bytes timeStampRequest(const Bytes& digest, const Bytes& nonce) {
    const Bytes imprint = der::sequence(
        {der::sequence({der::objectIdentifier(sha256Algorithm)}), der::octetString(digest)});
    return der::sequence({der::smallInteger(1), imprint, der::integer(nonce), der::boolean(true)});
}

std::runtime_error failure(const std::string& url, const std::string& why) {
    return std::runtime_error("The time-stamp authority " + url + " " + why);
}

QByteArray posted(const std::string& url, const Bytes& request) {
    QNetworkAccessManager network;
    QNetworkRequest message{QUrl(QString::fromStdString(url))};
    message.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/timestamp-query"));
    QNetworkReply* reply = network.post(message, QByteArray::fromStdString(request));
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&timeout, &QTimer::timeout, reply, &QNetworkReply::abort);
    timeout.start(answerTimeout);
    loop.exec();
    reply->deleteLater();
    if (reply->error() != QNetworkReply::NoError) {
        throw failure(url, "cannot be reached: " + reply->errorString().toStdString());
    }
    return reply->readAll();
}

// TimeStampResp: the status (0 granted, 1 granted with changes) and the token, which must
// hold the digest and the nonce asked for.
Bytes tokenOf(const std::string& url, const Bytes& response, const Bytes& digest,
              const Bytes& nonce) {
    der::Element whole;
    std::vector<der::Element> parts;
    std::vector<der::Element> status;
    if (!der::readElement(response, 0, whole) || !der::readChildren(response, whole, parts) ||
        parts.empty() || !der::readChildren(response, parts[0], status) || status.empty() ||
        status[0].tag != der::integerTag || status[0].contentLength != 1) {
        throw failure(url, "answered with no time-stamp response");
    }
    const int granted = response[status[0].contentStart];
    if (granted > 1 || parts.size() < 2) {
        throw failure(url, "refused to time-stamp (status " + std::to_string(granted) + ")");
    }
    const Bytes token = response.substr(parts[1].start, parts[1].end() - parts[1].start);
    if (token.find(digest) == Bytes::npos || token.find(der::integer(nonce)) == Bytes::npos) {
        throw failure(url, "answered with a time-stamp of something else");
    }
    return token;
}

}  // namespace

std::string timeStampToken(const std::string& url, const std::string& digest) {
    const Bytes nonce = randomNonce();
    const QByteArray response = posted(url, timeStampRequest(digest, nonce));
    return tokenOf(url, response.toStdString(), digest, nonce);
}

}  // namespace kadenza
