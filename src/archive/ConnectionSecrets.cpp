#include "archive/ConnectionSecrets.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

namespace kadenza {

namespace {

constexpr const char* hidden = "…";

// A secret this long is hidden wherever it stands; a shorter one would blank out ordinary
// words of a message, so it is hidden only in the quoted values libpq echoes.
constexpr std::size_t shortestHiddenAnywhere = 4;

// The URI cut where libpq would cut it, but leniently: a password may hold an unencoded '@',
// so the user's part ends at the last '@', unless that '@' is in the path or the query (the
// user's name before it would hold a '/' or '?').
struct UriParts {
    std::string scheme;
    std::string user;
    std::optional<std::string> password;
    std::string place;
    std::string query;
};

UriParts partsOf(const std::string& uri) {
    UriParts parts;
    const std::size_t schemeEnd = uri.find("://");
    if (schemeEnd == std::string::npos) {
        parts.place = uri;
        return parts;
    }
    const std::size_t start = schemeEnd + 3;
    parts.scheme = uri.substr(0, start);
    std::size_t placeStart = start;
    const std::size_t at = uri.rfind('@');
    if (at != std::string::npos && at >= start) {
        const std::string userPart = uri.substr(start, at - start);
        const std::size_t colon = userPart.find(':');
        const std::string user = userPart.substr(0, colon);
        if (user.find_first_of("/?") == std::string::npos) {
            parts.user = user;
            if (colon != std::string::npos) {
                parts.password = userPart.substr(colon + 1);
            }
            placeStart = at + 1;
        }
    }
    const std::size_t question = uri.find('?', placeStart);
    parts.place = uri.substr(placeStart, question - placeStart);
    if (question != std::string::npos) {
        parts.query = uri.substr(question + 1);
    }
    return parts;
}

std::string percentDecoded(const std::string& text) {
    std::string decoded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const std::string hex = text.substr(i + 1, 2);
            char* end = nullptr;
            const long value = std::strtol(hex.c_str(), &end, 16);
            if (end == hex.c_str() + 2) {
                decoded += static_cast<char>(value);
                i += 2;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

std::vector<std::string> parametersOf(const std::string& query) {
    std::vector<std::string> parameters;
    for (std::size_t start = 0; start < query.size();) {
        const std::size_t end = std::min(query.find('&', start), query.size());
        parameters.push_back(query.substr(start, end - start));
        start = end + 1;
    }
    return parameters;
}

// The values of the query's parameters that name a password (password, sslpassword), and the
// parameters libpq cannot read (no '=') and would echo whole.
std::vector<std::string> querySecrets(const std::string& query) {
    std::vector<std::string> secrets;
    for (const std::string& parameter : parametersOf(query)) {
        const std::size_t equals = parameter.find('=');
        if (equals == std::string::npos) {
            secrets.push_back(parameter);
        } else if (parameter.substr(0, equals).find("password") != std::string::npos) {
            secrets.push_back(parameter.substr(equals + 1));
        }
    }
    return secrets;
}

std::vector<std::string> secretsOf(const UriParts& parts) {
    std::vector<std::string> secrets;
    if (parts.password) {
        secrets.push_back(*parts.password);
    }
    for (const std::string& secret : querySecrets(parts.query)) {
        secrets.push_back(secret);
    }
    const std::size_t raw = secrets.size();
    for (std::size_t i = 0; i < raw; ++i) {
        secrets.push_back(percentDecoded(secrets[i]));
    }
    return secrets;
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Whether the value holds a part of the secret: one holds the other, or one begins where the
// other ends by two characters or more (libpq cut the URI inside the password).
bool holdsPartOf(const std::string& value, const std::string& secret) {
    if (value.empty() || secret.empty()) {
        return false;
    }
    if (value.find(secret) != std::string::npos || secret.find(value) != std::string::npos) {
        return true;
    }
    const std::size_t shorter = std::min(value.size(), secret.size());
    for (std::size_t length = 2; length < shorter; ++length) {
        if (endsWith(secret, value.substr(0, length)) ||
            endsWith(value, secret.substr(0, length))) {
            return true;
        }
    }
    return false;
}

void replaceAll(std::string& text, const std::string& found, const std::string& replacement) {
    if (found.empty()) {
        return;
    }
    for (std::size_t at = text.find(found); at != std::string::npos;
         at = text.find(found, at + replacement.size())) {
        text.replace(at, found.size(), replacement);
    }
}

std::string withQuotedSecretsHidden(const std::string& message,
                                    const std::vector<std::string>& secrets) {
    std::string result;
    std::size_t done = 0;
    for (std::size_t open = message.find('"'); open != std::string::npos;
         open = message.find('"', done)) {
        const std::size_t close = message.find('"', open + 1);
        if (close == std::string::npos) {
            break;
        }
        std::string value = message.substr(open + 1, close - open - 1);
        for (const std::string& secret : secrets) {
            if (holdsPartOf(value, secret)) {
                value = hidden;
                break;
            }
        }
        result += message.substr(done, open + 1 - done) + value + '"';
        done = close + 1;
    }
    return result + message.substr(done);
}

}  // namespace

std::string shownUri(const std::string& uri) {
    const UriParts parts = partsOf(uri);
    return parts.scheme + (parts.user.empty() ? "" : parts.user + "@") + parts.place;
}

bool hasPassword(const std::string& uri) {
    const UriParts parts = partsOf(uri);
    if (parts.password) {
        return true;
    }
    for (const std::string& parameter : parametersOf(parts.query)) {
        if (parameter.rfind("password=", 0) == 0) {
            return true;
        }
    }
    return false;
}

std::string withoutSecrets(const std::string& message, const std::string& uri) {
    const UriParts parts = partsOf(uri);
    const std::vector<std::string> secrets = secretsOf(parts);
    std::string text = message;
    replaceAll(text, uri, shownUri(uri));
    text = withQuotedSecretsHidden(text, secrets);
    for (const std::string& secret : secrets) {
        if (secret.size() >= shortestHiddenAnywhere) {
            replaceAll(text, secret, hidden);
        }
    }
    return text;
}

}  // namespace kadenza
